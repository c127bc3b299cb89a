// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/ClassWindow.h"

#include "classroom/ClassConnection.h"
#include "classroom/ClassSchema.h"
#include "classroom/ClassUrl.h"
#include "classroom/ServerProgress.h"
#include "report/ProgressWindow.h"

#include <QApplication>
#include <QBoxLayout>
#include <QDateTime>
#include <QEvent>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QThread>

#include <memory>

namespace {

constexpr int PreferredWidth = 860;
constexpr int PreferredHeight = 560;
// The columns with figures, aligned to the right.
constexpr int FirstFigure = 1;
constexpr int LastFigure = 5;

} // namespace

// What the server said about the login.
struct ClassWindow::Answer
{
    bool reached = false;
    QString error;
    bool teacher = false;
    QList<PupilFigures> pupils;
};

ClassWindow::ClassWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    m_intro = new QLabel(this);
    m_intro->setWordWrap(true);
    m_urlLabel = new QLabel(this);
    m_pupilLabel = new QLabel(this);
    m_url = new QLineEdit(this);
    m_url->setPlaceholderText(QStringLiteral("postgresql://school.example/velkaro"));
    m_pupil = new QLineEdit(this);
    m_urlLabel->setBuddy(m_url);
    m_pupilLabel->setBuddy(m_pupil);
    m_join = new QPushButton(this);
    m_join->setDefault(true);
    m_leave = new QPushButton(this);
    m_status = new QLabel(this);
    m_message = new QLabel(this);
    m_message->setWordWrap(true);
    m_message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_tableHeading = new QLabel(this);
    QFont bold = m_tableHeading->font();
    bold.setBold(true);
    m_tableHeading->setFont(bold);
    m_table = new QTableWidget(this);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_refresh = new QPushButton(this);
    m_progressButton = new QPushButton(this);
    m_close = new QPushButton(this);

    connect(m_join, &QPushButton::clicked, this, &ClassWindow::join);
    connect(m_url, &QLineEdit::returnPressed, this, &ClassWindow::join);
    connect(m_pupil, &QLineEdit::returnPressed, this, &ClassWindow::join);
    connect(m_leave, &QPushButton::clicked, this, &ClassWindow::leave);
    connect(m_refresh, &QPushButton::clicked, this, &ClassWindow::refresh);
    connect(m_progressButton, &QPushButton::clicked, this, &ClassWindow::openProgress);
    connect(m_table, &QTableWidget::cellDoubleClicked, this, &ClassWindow::openProgress);
    connect(m_close, &QPushButton::clicked, this, &QWidget::close);
    auto *escape = new QShortcut(QKeySequence::Cancel, this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    auto *form = new QFormLayout;
    form->addRow(m_urlLabel, m_url);
    form->addRow(m_pupilLabel, m_pupil);
    auto *joinRow = new QHBoxLayout;
    joinRow->addWidget(m_status, 1);
    joinRow->addWidget(m_join);
    joinRow->addWidget(m_leave);
    auto *tableButtons = new QHBoxLayout;
    tableButtons->addWidget(m_refresh);
    tableButtons->addWidget(m_progressButton);
    tableButtons->addStretch(1);
    tableButtons->addWidget(m_close);

    auto *column = new QVBoxLayout(this);
    column->addWidget(m_intro);
    column->addLayout(form);
    column->addLayout(joinRow);
    column->addWidget(m_message);
    column->addWidget(m_tableHeading);
    column->addWidget(m_table, 1);
    // Without the table, the rest stands together at the top.
    column->addStretch(0);
    column->addLayout(tableButtons);
    m_column = column;
    retranslate();
    showReport({});
    // A pupil's window is as tall as its fields; a teacher's grows for the table.
    resize(PreferredWidth, sizeHint().height());
}

// A question under way is not waited for: a server that does not answer
// holds a connection up to its time-out, and the window closes at once. The
// question ends on its own thread and its answer, with no window left to
// show it, is dropped (see run()).
ClassWindow::~ClassWindow() = default;

void ClassWindow::retranslate()
{
    setWindowTitle(tr("Class \u2013 Velkaro"));
    m_intro->setText(tr("Your answers are always kept on this computer. With a class's server "
                        "they are also sent there, where your teacher sees how you practise. "
                        "The password is not kept here: PostgreSQL reads it from ~/.pgpass."));
    m_urlLabel->setText(tr("&Server:"));
    m_pupilLabel->setText(tr("&Login name:"));
    m_join->setText(tr("&Join"));
    m_leave->setText(tr("&Leave class"));
    m_tableHeading->setText(tr("The class"));
    m_table->setHorizontalHeaderLabels(ClassReport::header());
    m_refresh->setText(tr("&Refresh"));
    m_progressButton->setText(tr("&Progress\u2026"));
    m_close->setText(tr("Close"));
}

ProgressWindow *ClassWindow::progressWindow() const
{
    return m_progress;
}

QString ClassWindow::message() const
{
    return m_message->text();
}

void ClassWindow::say(const QString &text)
{
    m_message->setText(text);
    m_message->setVisible(!text.isEmpty());
}

void ClassWindow::setClass(const QString &url, const QString &pupil)
{
    m_keptUrl = url;
    m_keptPupil = pupil;
    m_url->setText(url);
    m_pupil->setText(pupil);
    m_leave->setEnabled(!url.isEmpty());
    if (!url.isEmpty())
        ask();
}

void ClassWindow::setStatus(const QString &text)
{
    m_status->setText(text);
}

void ClassWindow::join()
{
    QString why;
    const std::optional<ClassUrl> url = ClassUrl::parse(m_url->text(), &why);
    if (!url) {
        say(why);
        return;
    }
    const QString pupil = m_pupil->text().trimmed();
    if (!pupil.isEmpty() && !ClassSchema::isPupilName(pupil)) {
        say(tr("'%1' cannot be a login name: use letters, digits, '_', '.' and '-'.").arg(pupil));
        return;
    }
    m_keptUrl = url->text();
    m_keptPupil = pupil;
    m_url->setText(m_keptUrl);
    m_leave->setEnabled(true);
    say(QString());
    emit classChosen(m_keptUrl, m_keptPupil);
    ask();
}

void ClassWindow::leave()
{
    m_keptUrl.clear();
    m_keptPupil.clear();
    m_url->clear();
    m_pupil->clear();
    m_leave->setEnabled(false);
    m_teacher = false;
    showReport({});
    say(tr("You practise alone: your answers stay on this computer."));
    emit classLeft();
}

void ClassWindow::refresh()
{
    if (!m_keptUrl.isEmpty())
        ask();
}

void ClassWindow::ask()
{
    if (!ClassConnection::driverAvailable()) {
        say(ClassConnection::driverMissing());
        return;
    }
    const std::optional<ClassUrl> parsed = ClassUrl::parse(m_keptUrl, nullptr);
    if (!parsed)
        return;
    const ClassUrl url = m_keptPupil.isEmpty() ? *parsed : parsed->withUser(m_keptPupil);
    say(tr("Asking the server\u2026"));
    run([this, url] {
        Answer answer;
        ClassConnection server(url);
        if (!server.open()) {
            answer.error = server.errorString();
        } else if (const std::optional<bool> teacher =
                       ClassSchema::isTeacher(server.database(), &answer.error)) {
            answer.reached = true;
            answer.teacher = *teacher;
            if (answer.teacher) {
                const std::optional<QList<PupilFigures>> pupils = ClassReport::read(
                    server.database(), QDateTime::currentDateTimeUtc(), &answer.error);
                answer.pupils = pupils.value_or(QList<PupilFigures>());
            }
        }
        return std::function<void()>([this, answer] { showAnswer(answer); });
    });
}

void ClassWindow::showAnswer(const Answer &answer)
{
    m_teacher = answer.teacher;
    showReport(answer.pupils);
    if (m_teacher && height() < PreferredHeight)
        resize(width(), PreferredHeight);
    if (!answer.reached)
        say(answer.error);
    else if (!answer.error.isEmpty())
        say(answer.error);
    else if (answer.teacher)
        say(tr("You are the class's teacher: double-click a pupil for their progress."));
    else
        say(tr("Your answers are sent to this class as %1.")
                .arg(m_keptPupil.isEmpty() ? tr("your login") : m_keptPupil));
    emit answered();
}

void ClassWindow::showReport(const QList<PupilFigures> &pupils)
{
    const QStringList header = ClassReport::header();
    m_table->clear();
    m_table->setColumnCount(int(header.size()));
    m_table->setHorizontalHeaderLabels(header);
    m_table->setRowCount(int(pupils.size()));
    for (int row = 0; row < pupils.size(); ++row) {
        const QStringList cells = ClassReport::cells(pupils.at(row));
        for (int column = 0; column < cells.size(); ++column) {
            auto *item = new QTableWidgetItem(cells.at(column));
            if (column >= FirstFigure && column <= LastFigure)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_table->setItem(row, column, item);
        }
    }
    m_table->resizeColumnsToContents();
    for (QWidget *w : {static_cast<QWidget *>(m_tableHeading), static_cast<QWidget *>(m_table),
                       static_cast<QWidget *>(m_refresh), static_cast<QWidget *>(m_progressButton)})
        w->setVisible(m_teacher);
    m_column->setStretch(m_column->indexOf(m_table) + 1, m_teacher ? 0 : 1);
}

void ClassWindow::openProgress()
{
    const int row = m_table->currentRow();
    if (!m_teacher || row < 0 || !m_table->item(row, 0))
        return;
    const QString pupil = m_table->item(row, 0)->text();
    const std::optional<ClassUrl> parsed = ClassUrl::parse(m_keptUrl, nullptr);
    if (!parsed)
        return;
    const ClassUrl url = m_keptPupil.isEmpty() ? *parsed : parsed->withUser(m_keptPupil);
    say(tr("Reading %1's answers\u2026").arg(pupil));
    run([this, url, pupil] {
        auto source = std::make_shared<std::unique_ptr<ServerProgress>>(
            std::make_unique<ServerProgress>(url, pupil));
        const bool loaded = (*source)->load();
        return std::function<void()>([this, source, loaded, pupil] {
            if (!loaded) {
                say((*source)->errorString());
                return;
            }
            say(QString());
            if (m_progress)
                m_progress->close();
            m_progress = new ProgressWindow(std::move(*source), this);
            m_progress->setAttribute(Qt::WA_DeleteOnClose);
            m_progress->setWindowTitle(tr("Progress of %1 \u2013 Velkaro").arg(pupil));
            m_progress->show();
        });
    });
}

void ClassWindow::run(std::function<std::function<void()>()> work)
{
    if (m_job)
        return;
    setCursor(Qt::BusyCursor);
    // The answer goes to a go-between on this thread that outlives the
    // window: the question may end after the window was closed. The thread
    // deletes itself once done; quitting the program waits for it, since a
    // connection must not be torn down under it.
    auto *relay = new QObject;
    const QPointer<ClassWindow> window(this);
    m_job = QThread::create([relay, window, work] {
        const std::function<void()> then = work();
        QMetaObject::invokeMethod(
            relay,
            [relay, window, then] {
                relay->deleteLater();
                if (!window)
                    return;
                window->m_job = nullptr;
                window->unsetCursor();
                then();
            },
            Qt::QueuedConnection);
    });
    connect(m_job, &QThread::finished, m_job, &QObject::deleteLater);
    QThread *job = m_job;
    connect(qApp, &QCoreApplication::aboutToQuit, job, [job] { job->wait(); });
    m_job->start();
}

void ClassWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}
