// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/help/HelpWindow.h"

#include <QAction>
#include <QDesktopServices>
#include <QIcon>
#include <QPalette>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>

#include <algorithm>

namespace {
constexpr QSize PreferredSize(720, 640);
// Smaller than this the manual is hard to read: rather cover some of what
// should be kept clear.
constexpr QSize SmallestComfortable(400, 300);

// The desktop theme's icon where there is one, so the buttons look like
// those of the user's other programs; the style's own otherwise.
QIcon themed(const QWidget *w, const char *name, QStyle::StandardPixmap fallback)
{
    return QIcon::fromTheme(QLatin1String(name), w->style()->standardIcon(fallback));
}

bool belongsToTheDesktop(const QUrl &url)
{
    const QString scheme = url.scheme();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
           scheme == QLatin1String("mailto");
}
} // namespace

HelpWindow::HelpWindow(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("HelpWindow"));
    m_view = new QTextBrowser(this);
    // Every link passes through followLink, which decides where it may go.
    m_view->setOpenLinks(false);
    m_view->setOpenExternalLinks(false);
    // The manual is a page of paper in every theme: its headings, tables
    // and notes are coloured for a light page, and a dark theme's light
    // text would vanish on them.
    QPalette paper = m_view->palette();
    paper.setColor(QPalette::Base, Qt::white);
    paper.setColor(QPalette::Text, Qt::black);
    m_view->setPalette(paper);
    setCentralWidget(m_view);

    auto *tools = addToolBar(tr("Navigation"));
    tools->setMovable(false);
    tools->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);

    m_back = tools->addAction(themed(this, "go-previous", QStyle::SP_ArrowBack), tr("Back"), m_view,
                              &QTextBrowser::backward);
    m_back->setShortcut(QKeySequence::Back);
    m_back->setEnabled(false);
    m_forward = tools->addAction(themed(this, "go-next", QStyle::SP_ArrowForward), tr("Forward"),
                                 m_view, &QTextBrowser::forward);
    m_forward->setShortcut(QKeySequence::Forward);
    m_forward->setEnabled(false);
    QAction *contents = tools->addAction(themed(this, "go-home", QStyle::SP_DirHomeIcon),
                                         tr("Contents"), this, &HelpWindow::showContents);
    contents->setShortcut(Qt::ALT | Qt::Key_Home);
    QAction *closing = tools->addAction(themed(this, "window-close", QStyle::SP_DialogCloseButton),
                                        tr("Close"), this, &QWidget::close);
    closing->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence(QKeySequence::Close)});

    connect(m_view, &QTextBrowser::backwardAvailable, m_back, &QAction::setEnabled);
    connect(m_view, &QTextBrowser::forwardAvailable, m_forward, &QAction::setEnabled);
    connect(m_view, &QTextBrowser::anchorClicked, this, &HelpWindow::followLink);
    connect(m_view, &QTextBrowser::sourceChanged, this, &HelpWindow::updateTitle);
    // Shows where a link leads before it is followed.
    connect(m_view, qOverload<const QUrl &>(&QTextBrowser::highlighted), this,
            [this](const QUrl &link) {
                statusBar()->showMessage(link.isEmpty() ? QString()
                                                        : m_view->source().resolved(link).toString(
                                                              QUrl::PreferLocalFile));
            });

    resize(PreferredSize);
    updateTitle();
}

QRect HelpWindow::placement(const QRect &available, const QRect &keepClear, QSize preferred,
                            QSize frame)
{
    const QSize room = available.size() - frame;
    const QSize size = preferred.boundedTo(room);
    QRect best(QPoint(), size + frame);
    best.moveCenter(available.center());
    if (keepClear.isEmpty() || !available.intersects(keepClear))
        return best;
    // The four bands of the screen around what is kept clear; the roomiest
    // that the manual fits into comfortably wins.
    const QRect bands[] = {
        QRect(available.left(), keepClear.bottom() + 1, available.width(),
              available.bottom() - keepClear.bottom()),
        QRect(available.left(), available.top(), available.width(),
              keepClear.top() - available.top()),
        QRect(keepClear.right() + 1, available.top(), available.right() - keepClear.right(),
              available.height()),
        QRect(available.left(), available.top(), keepClear.left() - available.left(),
              available.height()),
    };
    qint64 bestArea = 0;
    for (const QRect &band : bands) {
        const QSize inside = size.boundedTo(band.size() - frame);
        if (inside.width() < std::min(SmallestComfortable.width(), size.width()) ||
            inside.height() < std::min(SmallestComfortable.height(), size.height()))
            continue;
        const qint64 area = qint64(inside.width()) * inside.height();
        if (area <= bestArea)
            continue;
        bestArea = area;
        best = QRect(QPoint(), inside + frame);
        best.moveBottomRight(band.bottomRight());
    }
    if (bestArea == 0) {
        // Nowhere roomy enough: the bottom right corner of the screen.
        best = QRect(QPoint(), size + frame);
        best.moveBottomRight(available.bottomRight());
    }
    return best;
}

// Before the window is first shown its frame is not known: a title bar's
// height is allowed for, and corrected once the frame is there.
void HelpWindow::place()
{
    QWidget *clear = m_keepClear && m_keepClear->isVisible() ? m_keepClear.data() : nullptr;
    const QScreen *s = clear ? clear->screen() : screen();
    if (!s)
        return;
    const int titleBar = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
    const QSize frame(0, titleBar);
    const QRect keepClear =
        clear ? QRect(clear->mapToGlobal(QPoint(0, 0)), clear->size()) : QRect();
    const QRect outer = placement(s->availableGeometry(), keepClear, PreferredSize, frame);
    setGeometry(outer.adjusted(0, frame.height(), 0, 0));
}

void HelpWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    QTimer::singleShot(0, this, &HelpWindow::keepOnScreen);
}

// Once the window manager has framed the window, the frame too must lie on
// the screen: nothing of the window may be out of reach.
void HelpWindow::keepOnScreen()
{
    const QScreen *s = screen();
    if (!s || !isVisible())
        return;
    const QRect available = s->availableGeometry();
    const QRect outer = frameGeometry();
    if (available.contains(outer))
        return;
    const QSize frame = outer.size() - size();
    const QSize inside = size().boundedTo(available.size() - frame);
    QRect fitted(outer.topLeft(), inside + frame);
    fitted.moveLeft(
        std::clamp(fitted.left(), available.left(), available.right() + 1 - fitted.width()));
    fitted.moveTop(
        std::clamp(fitted.top(), available.top(), available.bottom() + 1 - fitted.height()));
    resize(inside);
    move(fitted.topLeft());
}

void HelpWindow::showPage(const HelpFolder &folder, const QString &file)
{
    m_folder = folder;
    m_contents = QUrl::fromLocalFile(file);
    // A page that changed on disk since it was last shown is read again.
    if (m_view->source().adjusted(QUrl::RemoveFragment) == m_contents)
        m_view->reload();
    m_view->setSource(m_contents);
    if (!isVisible())
        place();
    show();
    raise();
    activateWindow();
}

QUrl HelpWindow::page() const
{
    return m_view->source();
}

void HelpWindow::followLink(const QUrl &link)
{
    const QUrl target = m_view->source().resolved(link);
    if (belongsToTheDesktop(target)) {
        QDesktopServices::openUrl(target);
        return;
    }
    if (target.isLocalFile() && m_folder.contains(target.toLocalFile())) {
        m_view->setSource(target);
        return;
    }
    qWarning("Help: not following %s: it leads out of the manual",
             qUtf8Printable(target.toString()));
}

void HelpWindow::showContents()
{
    if (m_contents.isValid())
        m_view->setSource(m_contents);
}

void HelpWindow::updateTitle()
{
    const QString title = m_view->documentTitle();
    setWindowTitle(title.isEmpty() ? tr("User's Guide") : title);
}
