// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick for start-up: a bare Qt Widgets program with a main window,
// a menu bar, a button and one painted widget, and nothing else.
#include "FirstPaint.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {
class Painted : public QWidget
{
protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.drawLine(0, height() / 2, width(), height() / 2);
    }
};
} // namespace

int main(int argc, char **argv)
{
    QApplication a(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("File"))->addAction(QStringLiteral("Quit"));
    auto *frame = new QWidget(&window);
    auto *column = new QVBoxLayout(frame);
    auto *painted = new Painted;
    painted->setFixedHeight(120);
    column->addWidget(painted);
    column->addWidget(new QPushButton(QStringLiteral("Button")));
    window.setCentralWidget(frame);
    FirstPaint::Watcher watcher(painted, [] {
        std::printf("rss %lld\n", FirstPaint::peakRssKiB());
        QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    });
    window.showMaximized();
    return a.exec();
}
