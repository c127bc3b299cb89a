// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/ProgressWindow.h"

#include "notes/NoteNames.h"
#include "progress/ProgressFigures.h"
#include "progress/ProgressFile.h"
#include "report/ChallengeTable.h"
#include "report/NoteStaffPicture.h"
#include "report/ProgressChartView.h"
#include "report/ReportGeometry.h"
#include "report/TotalsTable.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QStandardPaths>
#include <QTimer>

namespace {

// A new answer shows after this pause, so that the answers of a fast test
// are read together, and never in the middle of a verdict.
constexpr int RefreshDelayMs = 150;
// Below this width the chart and the totals stand one above the other.
constexpr int SideBySideWidth = 900;
constexpr qint64 MsPerDay = 24 * 60 * 60 * 1000;

// A file in the home folder is named as the shell would: ~/...
QString shown(const QString &path)
{
    const QString home = QDir::homePath() + QLatin1Char('/');
    const QString full = QFileInfo(path).absoluteFilePath();
    if (full.startsWith(home))
        return QDir::toNativeSeparators(QStringLiteral("~/") + full.mid(home.size()));
    return QDir::toNativeSeparators(full);
}

QLabel *heading(QWidget *parent)
{
    auto *label = new QLabel(parent);
    QFont bold = label->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.15);
    label->setFont(bold);
    return label;
}

} // namespace

ProgressWindow::ProgressWindow(const QString &logPath, QWidget *parent)
    : ProgressWindow(std::make_unique<ProgressFile>(logPath), parent)
{
    m_path = logPath;
}

ProgressWindow::ProgressWindow(std::unique_ptr<ProgressSource> source, QWidget *parent)
    : QWidget(parent, Qt::Window), m_source(std::move(source))
{
    m_refreshTimer = new QTimer(this);
    m_refreshTimer->setSingleShot(true);
    m_refreshTimer->setInterval(RefreshDelayMs);
    connect(m_refreshTimer, &QTimer::timeout, this, &ProgressWindow::refresh);

    auto *scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(buildContent());

    m_status = new QLabel(this);
    m_status->setWordWrap(true);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_export = new QPushButton(this);
    m_forget = new QPushButton(this);
    m_close = new QPushButton(this);
    connect(m_export, &QPushButton::clicked, this, &ProgressWindow::exportCsv);
    connect(m_forget, &QPushButton::clicked, this, &ProgressWindow::confirmForget);
    connect(m_close, &QPushButton::clicked, this, &QWidget::close);
    auto *escape = new QShortcut(QKeySequence::Cancel, this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    auto *buttons = m_buttons = new QBoxLayout(QBoxLayout::LeftToRight);
    buttons->addWidget(m_status, 1);
    buttons->addWidget(m_export);
    buttons->addWidget(m_forget);
    buttons->addWidget(m_close);

    auto *column = new QVBoxLayout(this);
    column->addWidget(scroll, 1);
    column->addLayout(buttons);
    m_forget->setVisible(m_source->isForgettable());
    retranslate();
}

ProgressWindow::~ProgressWindow() = default;

QWidget *ProgressWindow::buildContent()
{
    auto *content = new QWidget;
    m_notesHeading = heading(content);
    // Which answers the notes show: all of them, or those of one key, its
    // notes written as that key writes them.
    m_keyLabel = new QLabel(content);
    m_keyChoice = new QComboBox(content);
    m_keyChoice->addItem(QString());
    for (const KeySignature key : KeySignature::all())
        m_keyChoice->addItem(NoteNames::keyName(key), key.fifths());
    m_keyLabel->setBuddy(m_keyChoice);
    connect(m_keyChoice, &QComboBox::currentIndexChanged, this, &ProgressWindow::showFigures);
    m_legend = new QLabel(content);
    m_legend->setWordWrap(true);
    m_picture = new NoteStaffPicture(content);
    m_timeHeading = heading(content);
    QString why;
    m_chart = ProgressChartView::make(content, &why);
    if (m_chart) {
        m_chartWidget = m_chart->widget();
    } else {
        auto *missing = new QLabel(tr("The chart cannot be shown: %1").arg(why), content);
        missing->setWordWrap(true);
        m_chartWidget = missing;
    }
    m_totalsHeading = heading(content);
    m_totals = new TotalsTable(content);
    m_challengesHeading = heading(content);
    m_challenges = new ChallengeTable(content);

    auto *time = new QVBoxLayout;
    time->addWidget(m_timeHeading);
    time->addWidget(m_chartWidget, 1);
    auto *totals = new QVBoxLayout;
    totals->addWidget(m_totalsHeading);
    totals->addWidget(m_totals, 1);
    m_lower = new QBoxLayout(QBoxLayout::LeftToRight);
    m_lower->addLayout(time, 2);
    m_lower->addLayout(totals, 1);

    auto *notesRow = new QHBoxLayout;
    notesRow->addWidget(m_notesHeading);
    notesRow->addStretch(1);
    notesRow->addWidget(m_keyLabel);
    notesRow->addWidget(m_keyChoice);
    auto *column = new QVBoxLayout(content);
    column->addLayout(notesRow);
    column->addWidget(m_legend);
    column->addWidget(m_picture);
    column->addLayout(m_lower, 1);
    column->addWidget(m_challengesHeading);
    column->addWidget(m_challenges);
    return content;
}

void ProgressWindow::retranslate()
{
    setWindowTitle(tr("Progress \u2013 Velkaro"));
    m_notesHeading->setText(tr("Note by note"));
    m_keyLabel->setText(tr("Key:"));
    m_keyChoice->setItemText(0, tr("All keys"));
    for (int i = 1; i < m_keyChoice->count(); ++i)
        m_keyChoice->setItemText(
            i, NoteNames::keyName(KeySignature(m_keyChoice->itemData(i).toInt())));
    m_legend->setText(tr("Each note is coloured by its last ten answers, from red for always "
                         "wrong to green for always right; an open grey note was never asked. "
                         "Under it stands the median time of its right answers among those ten. "
                         "Point at a note for its figures."));
    m_timeHeading->setText(tr("Over time"));
    m_totalsHeading->setText(tr("Totals"));
    m_challengesHeading->setText(tr("One-minute challenges: your bests"));
    m_export->setText(tr("Export CSV\u2026"));
    m_forget->setText(tr("Forget my record\u2026"));
    m_close->setText(tr("Close"));
}

QString ProgressWindow::statusText() const
{
    return m_status->text();
}

void ProgressWindow::scheduleRefresh()
{
    m_stale = true;
    if (isVisible())
        m_refreshTimer->start();
}

void ProgressWindow::refresh()
{
    m_refreshTimer->stop();
    m_stale = false;
    if (!m_source->exists()) {
        // Nothing recorded yet: not an error, only an empty picture.
        m_history = History();
        m_status->setText(tr("No answers recorded yet."));
        showFigures();
        return;
    }
    const qint64 known = m_history.answers.isEmpty() ? 0 : m_history.answers.last().id;
    if (known > 0) {
        const std::optional<bool> there = m_source->hasAnswer(known);
        if (!there) {
            m_history = History();
            m_status->setText(m_source->errorString());
            showFigures();
            return;
        }
        // The newest answer read is gone: the record was emptied meanwhile.
        if (!*there)
            m_history = History();
    }
    const qint64 after = m_history.answers.isEmpty() ? 0 : m_history.answers.last().id;
    if (!m_source->readAnswers(m_history.answers, after)) {
        m_history = History();
        m_status->setText(m_source->errorString());
        showFigures();
        return;
    }
    m_history.sessions = m_source->readSessions();
    m_status->setText(m_history.answers.isEmpty()
                          ? tr("No answers recorded yet.")
                          : tr("Answers from %1").arg(m_source->description()));
    showFigures();
}

void ProgressWindow::reload()
{
    m_history = History();
    refresh();
}

std::optional<KeySignature> ProgressWindow::shownKey() const
{
    if (m_keyChoice->currentIndex() <= 0)
        return std::nullopt;
    return KeySignature(m_keyChoice->currentData().toInt());
}

void ProgressWindow::setShownKey(std::optional<KeySignature> key)
{
    m_keyChoice->setCurrentIndex(key ? m_keyChoice->findData(key->fifths()) : 0);
}

void ProgressWindow::showFigures()
{
    using namespace ProgressFigures;
    const QDateTime now = QDateTime::currentDateTime();
    const QDate today = now.date();
    // From the first day tested, within the last ChartDays, and a week at least.
    QDate from = today.addDays(1 - ChartDays);
    if (!m_history.answers.isEmpty()) {
        const QDate first =
            QDateTime::fromMSecsSinceEpoch(m_history.answers.first().atMs).toLocalTime().date();
        from = std::max(from, first);
    }
    from = std::min(from, today.addDays(1 - RecentDays));
    const Period period = periodFor(from, today);
    if (m_chart)
        m_chart->setPeriods(byPeriod(m_history, from, today, period), period);
    const std::optional<KeySignature> key = shownKey();
    m_picture->setKey(key.value_or(KeySignature()));
    if (key) {
        QList<LoggedAnswer> inKey;
        for (const LoggedAnswer &a : std::as_const(m_history.answers)) {
            if (a.key == key->fifths())
                inKey.append(a);
        }
        m_picture->setFigures(byNote(inKey));
    } else {
        m_picture->setFigures(byNote(m_history.answers));
    }
    m_totals->setTotals(
        ProgressFigures::totals(m_history),
        ProgressFigures::totals(m_history, now.toMSecsSinceEpoch() - RecentDays * MsPerDay));
    m_challenges->setBests(challengeBests(ProgressFigures::challenges(m_history)));
    m_forget->setEnabled(!m_history.answers.isEmpty());
    m_export->setEnabled(!m_history.answers.isEmpty());
}

void ProgressWindow::forgetDone(const ForgetReport &report)
{
    QStringList said;
    if (!report.emptied)
        said << tr("The record could not be emptied: %1 cannot be written.")
                    .arg(QDir::toNativeSeparators(m_path));
    else if (!report.wiped)
        said << tr("Your answers are forgotten, but traces of them may remain in the file %1 "
                   "until Velkaro next writes to it: another program was reading it.")
                    .arg(QDir::toNativeSeparators(m_path));
    if (!report.copies.isEmpty()) {
        QStringList names;
        for (const QString &copy : report.copies)
            names << QDir::toNativeSeparators(copy);
        said << tr("These copies beside the record still hold old answers; delete them too if "
                   "you want them gone:\n%1")
                    .arg(names.join(QLatin1Char('\n')));
    }
    if (!report.emptied)
        QMessageBox::critical(this, tr("Forget my record"), said.join(QStringLiteral("\n\n")));
    else if (!said.isEmpty())
        QMessageBox::information(this, tr("Forget my record"), said.join(QStringLiteral("\n\n")));
    reload();
}

void ProgressWindow::setLogPath(const QString &path)
{
    if (path == m_path)
        return;
    m_path = path;
    m_source = std::make_unique<ProgressFile>(path);
    reload();
}

void ProgressWindow::confirmForget()
{
    QMessageBox box(QMessageBox::Warning, tr("Forget my record"),
                    tr("Forget all %n answers in your record? This cannot be undone.", "",
                       int(m_history.answers.size())),
                    QMessageBox::Cancel, this);
    QPushButton *forget = box.addButton(tr("Forget"), QMessageBox::DestructiveRole);
    box.setDefaultButton(QMessageBox::Cancel);
    box.exec();
    if (box.clickedButton() == forget)
        emit forgetRequested();
}

void ProgressWindow::exportCsv()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString suggested = QDir(folder).filePath(
        QStringLiteral("velkaro-progress-%1.csv").arg(QDate::currentDate().toString(Qt::ISODate)));
    const QString target =
        QFileDialog::getSaveFileName(this, tr("Export CSV"), suggested, tr("CSV files (*.csv)"));
    if (target.isEmpty())
        return;
    QString error;
    qint64 rows = 0;
    if (!m_source->exportCsv(target, &error, &rows)) {
        QMessageBox::critical(this, tr("Export CSV"), error);
        return;
    }
    m_status->setText(tr("%n answers written to %1", "", int(rows)).arg(shown(target)));
}

void ProgressWindow::showEvent(QShowEvent *event)
{
    if (!m_placed) {
        m_placed = true;
        fitScreen();
    }
    if (m_stale)
        refresh();
    QWidget::showEvent(event);
}

// The first time it is shown, the window takes a comfortable size, but no
// more than most of the screen it opens on, and stands in its middle.
void ProgressWindow::fitScreen()
{
    const QScreen *s = parentWidget() ? parentWidget()->screen() : screen();
    if (!s)
        return;
    const QRect room = s->availableGeometry();
    // On a screen too narrow for the buttons in a row, they stand in a column.
    if (m_buttons->sizeHint().width() > room.width() * ReportGeometry::ScreenShare) {
        m_buttons->setDirection(QBoxLayout::TopToBottom);
        // The window's least size follows from the layout only when it is
        // laid out again.
        layout()->activate();
    }
    const QSize size = QSize(ReportGeometry::PreferredWidth, ReportGeometry::PreferredHeight)
                           .boundedTo((QSizeF(room.size()) * ReportGeometry::ScreenShare).toSize());
    resize(size);
    move(room.center() - QPoint(width() / 2, height() / 2));
}

void ProgressWindow::resizeEvent(QResizeEvent *event)
{
    m_picture->setHeightLimit(int(height() * ReportGeometry::PictureShare));
    m_lower->setDirection(width() >= SideBySideWidth ? QBoxLayout::LeftToRight
                                                     : QBoxLayout::TopToBottom);
    QWidget::resizeEvent(event);
}

void ProgressWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}
