// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Starts the program as a user does, on a real (virtual) X display with a
// window manager, waits until the window is maximised, then measures what
// the user sees: the tallest band of empty rows, the keyboard's share of the
// width and the staff's line gap. Prints the figures; exits non-zero when
// the window wastes more than a fifth of its height, the keyboard takes less
// than two fifths of its width or the line gap is under 30 pixels.

#include "app/StartUp.h"
#include "app/VKControl.h"
#include "keyboard/VKKeyboard.h"
#include "platform/QPEApplication.h"
#include "staff/VKTest.h"

#include <QElapsedTimer>
#include <QImage>
#include <QTest>

#include <cstdio>

namespace {

constexpr double MostEmptyShare = 0.20;
constexpr double LeastKeyboardShare = 0.40;
constexpr double LeastLineGap = 30;

// The tallest run of rows that hold nothing but the background colour.
int tallestEmptyBand(const QImage &image, QRgb background)
{
    int tallest = 0;
    int run = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        const bool empty =
            std::all_of(row, row + image.width(), [&](QRgb p) { return p == background; });
        run = empty ? run + 1 : 0;
        tallest = std::max(tallest, run);
    }
    return tallest;
}

// Waits until the window manager has maximised the window and it has kept
// its size for a moment.
bool settled(QWidget *window)
{
    QElapsedTimer clock;
    clock.start();
    QSize last;
    int steady = 0;
    while (clock.elapsed() < 10000) {
        QTest::qWait(50);
        if (!window->isMaximized() || window->size() != last) {
            last = window->size();
            steady = 0;
            continue;
        }
        if (++steady >= 6)
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    QPEApplication app(argc, argv, QPEApplication::GuiClient);
    StartUp::prepare(app);
    auto *window = new VKControl;
    app.showMainWidget(window, false);
    if (!settled(window)) {
        std::fprintf(stderr, "the window was not maximised\n");
        return 1;
    }
    const qreal dpr = window->devicePixelRatioF();
    const QImage image = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRgb background = window->palette().color(QPalette::Window).rgb();
    const double emptyShare = double(tallestEmptyBand(image, background)) / image.height();
    const VKKeyboard *kb = window->keyboardView();
    const KeyboardGeometry g = kb->recordedGeometry();
    const double keyboardShare =
        kb->zoom() * kb->whiteKeyCount() * g.keyWidth / double(window->width());
    const double lineGap = 10 * window->staffView()->zoom();

    const QSize screen = window->screen()->size() * dpr;
    std::printf("screen %dx%d at %.0fx, window %dx%d: zoom %.2f, line gap %.1f px, "
                "keyboard %.0f%% of the width, tallest empty band %.0f%% of the height\n",
                screen.width(), screen.height(), dpr, window->width(), window->height(),
                window->staffView()->zoom(), lineGap, 100 * keyboardShare, 100 * emptyShare);
    const bool fits = emptyShare <= MostEmptyShare && keyboardShare >= LeastKeyboardShare &&
                      lineGap >= LeastLineGap;
    return fits ? 0 : 1;
}
