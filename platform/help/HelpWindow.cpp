// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/help/HelpWindow.h"

#include <QAction>
#include <QDesktopServices>
#include <QIcon>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>

namespace {
constexpr QSize PreferredSize(720, 640);

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

    QSize size = PreferredSize;
    if (const QScreen *s = screen())
        size = size.boundedTo(s->availableGeometry().size());
    resize(size);
    updateTitle();
}

void HelpWindow::showPage(const HelpFolder &folder, const QString &file)
{
    m_folder = folder;
    m_contents = QUrl::fromLocalFile(file);
    // A page that changed on disk since it was last shown is read again.
    if (m_view->source().adjusted(QUrl::RemoveFragment) == m_contents)
        m_view->reload();
    m_view->setSource(m_contents);
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
