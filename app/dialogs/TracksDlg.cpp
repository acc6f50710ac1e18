#include "TracksDlg.h"

#include "LanguageTable.h"
#include "OffThread.h"
#include "QTextImageButton.h"
#include "QVoCheckBox.h"
#include "QVoComboBox.h"

#include <QEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSpinBox>
#include <QTableWidget>

#include <algorithm>

namespace {
constexpr int dialogWidth = 760;
constexpr int dialogHeight = 520;
constexpr int margin = 20;
enum Column { ColKeep, ColStream, ColCodec, ColDetails, ColLanguage, ColTitle, ColFlags, ColShift, ColumnCount };

QFont textFont(int pixels = 12)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(pixels);
    return font;
}

QLabel *label(const QString &name, QWidget *parent)
{
    auto *l = new QLabel(parent);
    l->setObjectName(name);
    l->setFont(textFont());
    l->setStyleSheet(QStringLiteral("color: rgb(228,228,228);"));
    return l;
}

QTextImageButton *button(const QString &name, QWidget *parent)
{
    auto *b = new QTextImageButton(parent);
    b->setObjectName(name);
    b->setImage(QStringLiteral("/image/Common_bg/btn_common.png"));
    b->setTextPixelSize(11);
    return b;
}

QVoCheckBox *checkBox(const QString &name, QWidget *parent)
{
    auto *c = new QVoCheckBox(parent);
    c->setObjectName(name);
    c->setBoxPictures(QStringLiteral("/image/Common_bg/btn_check_off1.png"),
                      QStringLiteral("/image/Common_bg/btn_check_on1.png"));
    c->setFont(textFont());
    c->setStyleSheet(QStringLiteral("color: rgb(228,228,228);"));
    return c;
}

const QString kFieldStyle = QStringLiteral(
    "background: rgb(38,38,38); color: rgb(246,246,246); border: 1px solid rgb(74,74,74);"
    " selection-background-color: rgb(89,104,130); padding: 0 4px;");

QString std2q(const std::string &s)
{
    return QString::fromStdString(s);
}
} // namespace

QList<QPair<QString, QString>> TracksDlg::languages()
{
    return {
        {QStringLiteral("und"), tr("Undetermined")}, {QStringLiteral("eng"), tr("English")},
        {QStringLiteral("ger"), tr("German")},       {QStringLiteral("fre"), tr("French")},
        {QStringLiteral("spa"), tr("Spanish")},      {QStringLiteral("ita"), tr("Italian")},
        {QStringLiteral("por"), tr("Portuguese")},   {QStringLiteral("dut"), tr("Dutch")},
        {QStringLiteral("swe"), tr("Swedish")},      {QStringLiteral("nor"), tr("Norwegian")},
        {QStringLiteral("dan"), tr("Danish")},       {QStringLiteral("fin"), tr("Finnish")},
        {QStringLiteral("pol"), tr("Polish")},       {QStringLiteral("cze"), tr("Czech")},
        {QStringLiteral("hun"), tr("Hungarian")},    {QStringLiteral("rus"), tr("Russian")},
        {QStringLiteral("ukr"), tr("Ukrainian")},    {QStringLiteral("gre"), tr("Greek")},
        {QStringLiteral("tur"), tr("Turkish")},      {QStringLiteral("ara"), tr("Arabic")},
        {QStringLiteral("heb"), tr("Hebrew")},       {QStringLiteral("hin"), tr("Hindi")},
        {QStringLiteral("jpn"), tr("Japanese")},     {QStringLiteral("chi"), tr("Chinese")},
        {QStringLiteral("kor"), tr("Korean")},
    };
}

TracksDlg::TracksDlg(const QString &source, qint64 duration_us, const TrackPlan &plan, QWidget *parent)
    : QNinePointsImageDialog(parent)
    , m_source(source)
    , m_duration_us(duration_us)
    , m_given(plan)
{
    qRegisterMetaType<TrackPlan>("TrackPlan");
    setObjectName(QStringLiteral("TracksDlg"));
    setModal(true);
    setBackgroundImage(QStringLiteral("/image/Common_bg/bg_2.png"));
    setCornerSizes(50, 50, 50, 50, 50, 50, 50, 50);
    setFixedSize(dialogWidth, dialogHeight);
    setLogoImage(QStringLiteral("/image/Common_bg/main_logo.png"));
    setLogoRect(QRect(14, 9, 20, 20));
    setTitleRect(QRect(42, 9, dialogWidth - 100, 20));
    setTitleColor(QColor(245, 245, 245));
    setDragAreaHeight(38);
    setCloseButton(QStringLiteral("/image/btn_close.png"));

    const int inner = dialogWidth - 2 * margin;
    m_labSource = label(QStringLiteral("m_labSource"), this);
    m_labSource->setGeometry(margin, 46, inner, 18);

    m_table = new QTableWidget(0, ColumnCount, this);
    m_table->setObjectName(QStringLiteral("m_tableTracks"));
    m_table->setGeometry(margin, 68, inner, 190);
    m_table->setFont(textFont(11));
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(22);
    m_table->horizontalHeader()->setFont(textFont(11));
    m_table->horizontalHeader()->setHighlightSections(false);
    m_table->setShowGrid(false);
    const int widths[ColumnCount] = {46, 96, 70, 110, 110, 120, 100, 60};
    for (int c = 0; c < ColumnCount; ++c)
        m_table->setColumnWidth(c, widths[c]);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setStyleSheet(QStringLiteral(
        "QTableWidget { background: rgb(38,38,38); color: rgb(228,228,228); border: 1px solid rgb(74,74,74);"
        " selection-background-color: rgb(89,104,130); selection-color: rgb(246,246,246); }"
        "QHeaderView::section { background: rgb(62,63,63); color: rgb(200,200,200); border: none;"
        " border-right: 1px solid rgb(51,51,51); padding: 2px 4px; }"
        "QTableWidget::item:disabled { color: rgb(140,140,140); }"
        "QTableWidget::indicator { width: 12px; height: 12px; border: 1px solid rgb(160,160,160);"
        " background: rgb(30,30,30); }"
        "QTableWidget::indicator:checked { background: rgb(120,160,220); border-color: rgb(200,220,250); }"));
    connect(m_table, &QTableWidget::itemSelectionChanged, this, [this] { showSelected(); });
    m_table->viewport()->installEventFilter(this);
    connect(m_table, &QTableWidget::itemChanged, this, [this](QTableWidgetItem *item) {
        if (m_loading || item->column() != ColKeep || item->row() >= int(m_plan.entries.size()))
            return;
        m_plan.entries[size_t(item->row())].keep = item->checkState() == Qt::Checked;
        m_message.clear();
        retranslateUi();
    });

    m_btnUp = button(QStringLiteral("m_btnUp"), this);
    m_btnUp->move(margin, 266);
    m_btnDown = button(QStringLiteral("m_btnDown"), this);
    m_btnDown->move(m_btnUp->x() + m_btnUp->width() + 8, 266);
    connect(m_btnUp, &QPushButton::clicked, this, [this] { move(-1); });
    connect(m_btnDown, &QPushButton::clicked, this, [this] { move(1); });
    m_btnReset = button(QStringLiteral("m_btnReset"), this);
    m_btnReset->move(dialogWidth - margin - m_btnReset->width(), 266);
    connect(m_btnReset, &QPushButton::clicked, this, [this] {
        m_plan = trackPlanOf(m_source, m_tracks);
        m_message.clear();
        fillTable();
        selectRow(0);
    });

    // The selected stream's editors.
    m_labLanguage = label(QStringLiteral("m_labLanguage"), this);
    m_labLanguage->setGeometry(margin, 304, 90, 24);
    auto *language = new QVoComboBox(this);
    language->setObjectName(QStringLiteral("m_cmbLanguage"));
    language->setFont(textFont());
    language->setBackgroundImage(QStringLiteral("/VEditSource/edit_background.png"));
    language->setArrowImage(QStringLiteral("/VEditSource/cbb_trigonometric.png"), true);
    language->setArrowPosition(200 - 16, 7);
    language->setTextMargins(6, 0, 18, 1);
    language->setTextColor(QColor(246, 246, 246));
    language->setRowHeight(22);
    language->setRowBackground(QColor(62, 63, 63));
    language->setRowSelectedBackground(QColor(89, 104, 130));
    language->setRowHoverBackground(QColor(84, 84, 84));
    language->setRowTextColor(QColor(246, 246, 246));
    language->setMaxVisibleItems(12);
    m_language = language;
    m_language->setGeometry(margin + 96, 304, 200, 24);
    connect(m_language, QOverload<int>::of(&QComboBox::currentIndexChanged), this, [this](int) {
        const int row = selectedRow();
        if (m_loading || row < 0)
            return;
        m_plan.entries[size_t(row)].language = m_language->currentData().toString().toStdString();
        fillRow(row);
    });

    m_labTitle = label(QStringLiteral("m_labTitle"), this);
    m_labTitle->setGeometry(margin + 316, 304, 50, 24);
    m_title = new QLineEdit(this);
    m_title->setObjectName(QStringLiteral("m_editTitle"));
    m_title->setFont(textFont());
    m_title->setStyleSheet(kFieldStyle);
    m_title->setGeometry(margin + 370, 304, inner - 370, 24);
    connect(m_title, &QLineEdit::textEdited, this, [this](const QString &text) {
        const int row = selectedRow();
        if (m_loading || row < 0)
            return;
        m_plan.entries[size_t(row)].title = text.toStdString();
        fillRow(row);
    });

    m_default = checkBox(QStringLiteral("m_chkDefault"), this);
    m_default->setGeometry(margin, 338, 150, 22);
    connect(m_default, &QCheckBox::toggled, this, [this](bool on) {
        const int row = selectedRow();
        if (m_loading || row < 0)
            return;
        // The default of its kind: the others of the kind lose it.
        TrackPlanEntry &chosen = m_plan.entries[size_t(row)];
        if (on)
            for (size_t i = 0; i < m_plan.entries.size(); ++i)
                if (m_plan.entries[i].kind == chosen.kind && m_plan.entries[i].isDefault) {
                    m_plan.entries[i].isDefault = false;
                    fillRow(int(i));
                }
        chosen.isDefault = on;
        fillRow(row);
    });
    m_forced = checkBox(QStringLiteral("m_chkForced"), this);
    m_forced->setGeometry(margin + 160, 338, 150, 22);
    connect(m_forced, &QCheckBox::toggled, this, [this](bool on) {
        const int row = selectedRow();
        if (m_loading || row < 0)
            return;
        m_plan.entries[size_t(row)].forced = on;
        fillRow(row);
    });

    m_labShift = label(QStringLiteral("m_labShift"), this);
    m_labShift->setGeometry(margin + 316, 336, 110, 24);
    m_shift = new QSpinBox(this);
    m_shift->setObjectName(QStringLiteral("m_spinShift"));
    m_shift->setFont(textFont());
    m_shift->setStyleSheet(kFieldStyle);
    m_shift->setRange(-3600000, 3600000);
    m_shift->setSingleStep(10);
    m_shift->setGeometry(margin + 430, 336, 100, 24);
    connect(m_shift, QOverload<int>::of(&QSpinBox::valueChanged), this, [this](int ms) {
        const int row = selectedRow();
        if (m_loading || row < 0)
            return;
        m_plan.entries[size_t(row)].shiftMs = ms;
        m_message.clear();
        fillRow(row);
        retranslateUi();
    });
    m_btnOffset = button(QStringLiteral("m_btnFindOffset"), this);
    m_btnOffset->move(dialogWidth - margin - m_btnOffset->width(), 334);
    connect(m_btnOffset, &QPushButton::clicked, this, &TracksDlg::findOffset);

    m_note = label(QStringLiteral("m_labNote"), this);
    m_note->setGeometry(margin, 370, inner, 52);
    m_note->setWordWrap(true);
    m_note->setFont(textFont(11));
    m_note->setStyleSheet(QStringLiteral("color: rgb(190,190,190);"));

    m_status = label(QStringLiteral("m_labStatus"), this);
    m_status->setGeometry(margin, 426, inner, 36);
    m_status->setWordWrap(true);

    m_btnCancel = button(QStringLiteral("m_btnCancel"), this);
    m_btnCancel->move(dialogWidth - 16 - m_btnCancel->width(), dialogHeight - 16 - m_btnCancel->height());
    m_btnOk = button(QStringLiteral("m_btnOk"), this);
    m_btnOk->move(m_btnCancel->x() - 8 - m_btnOk->width(), m_btnCancel->y());
    connect(m_btnOk, &QPushButton::clicked, this, &TracksDlg::accept);
    connect(m_btnCancel, &QPushButton::clicked, this, &TracksDlg::reject);
    fillLanguages();
    retranslateUi();
    showSelected();

    struct Listing {
        bool ok = false;
        QList<SourceTrack> tracks;
        QString error;
    };
    runOffThread<Listing>(
        this,
        [source] {
            Listing l;
            l.ok = listSourceTracks(source, l.tracks, l.error);
            return l;
        },
        [this](Listing l) {
            m_tracks = l.tracks;
            showStreams(l.ok, l.error);
        });
}

void TracksDlg::fillLanguages()
{
    const bool loading = m_loading;
    m_loading = true;
    const QString current = m_language->currentData().toString();
    m_language->clear();
    auto *box = static_cast<QVoComboBox *>(m_language);
    for (const auto &l : languages())
        box->addItem(QStringLiteral("%1 (%2)").arg(l.second, l.first), QVariant(l.first));
    // Codes the streams carry that the list does not name.
    for (const TrackPlanEntry &e : m_plan.entries) {
        const QString code = std2q(e.language);
        if (!code.isEmpty() && m_language->findData(code) < 0)
            box->addItem(QStringLiteral("%1 (%2)").arg(languageText(code), code), QVariant(code));
    }
    m_language->setCurrentIndex(qMax(0, m_language->findData(current)));
    m_loading = loading;
}

QString TracksDlg::languageText(const QString &code) const
{
    for (const auto &l : languages())
        if (l.first == code)
            return l.second;
    const QString name = lookupLanguageName(code);
    return name.isEmpty() ? code : name;
}

QString TracksDlg::kindText(int kind) const
{
    return kind == 1 ? tr("Picture") : kind == 2 ? tr("Sound") : tr("Subtitles");
}

const SourceTrack *TracksDlg::trackOf(const TrackPlanEntry &e) const
{
    for (const SourceTrack &t : m_tracks)
        if (t.index == e.stream)
            return &t;
    return nullptr;
}

void TracksDlg::showStreams(bool ok, const QString &error)
{
    m_read = true;
    m_busy = false;
    m_readError = ok ? QString() : error;
    TrackPlan fresh = trackPlanOf(m_source, m_tracks);
    // The work's plan holds when it is this file's and names its streams.
    bool fits = m_given.sourcePath == fresh.sourcePath && m_given.entries.size() == fresh.entries.size();
    for (const TrackPlanEntry &e : m_given.entries)
        fits = fits && std::any_of(fresh.entries.begin(), fresh.entries.end(), [&](const TrackPlanEntry &f) {
                   return f.stream == e.stream && f.kind == e.kind;
               });
    m_plan = fits ? m_given : fresh;
    fillLanguages();
    fillTable();
    selectRow(0);
    retranslateUi();
    emit streamsRead(int(m_tracks.size()));
}

void TracksDlg::fillTable()
{
    // The rows as the output holds them: pictures, then sound, then
    // subtitles, each kind in the plan's order.
    std::stable_sort(m_plan.entries.begin(), m_plan.entries.end(),
                     [](const TrackPlanEntry &a, const TrackPlanEntry &b) { return a.kind < b.kind; });
    m_loading = true;
    m_table->setRowCount(int(m_plan.entries.size()));
    for (int row = 0; row < m_table->rowCount(); ++row) {
        for (int c = 0; c < ColumnCount; ++c)
            if (!m_table->item(row, c))
                m_table->setItem(row, c, new QTableWidgetItem);
        fillRow(row);
    }
    m_loading = false;
}

void TracksDlg::fillRow(int row)
{
    if (row < 0 || row >= int(m_plan.entries.size()) || !m_table->item(row, ColKeep))
        return;
    const bool loading = m_loading;
    m_loading = true;
    const TrackPlanEntry &e = m_plan.entries[size_t(row)];
    const SourceTrack *t = trackOf(e);
    QTableWidgetItem *keep = m_table->item(row, ColKeep);
    keep->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    keep->setCheckState(e.keep ? Qt::Checked : Qt::Unchecked);
    m_table->item(row, ColStream)->setText(QStringLiteral("#%1 %2").arg(e.stream).arg(kindText(e.kind)));
    m_table->item(row, ColCodec)->setText(t ? t->codec : QString());
    QString details;
    if (t && e.kind == 1)
        details = QStringLiteral("%1×%2").arg(t->width).arg(t->height);
    else if (t && e.kind == 2)
        details = tr("%1 ch, %2 Hz").arg(t->channels).arg(t->sampleRate);
    m_table->item(row, ColDetails)->setText(details);
    const QString code = std2q(e.language);
    m_table->item(row, ColLanguage)->setText(code.isEmpty() ? QString() : languageText(code));
    m_table->item(row, ColTitle)->setText(std2q(e.title));
    QStringList flags;
    if (e.isDefault)
        flags << tr("default");
    if (e.forced)
        flags << tr("forced");
    m_table->item(row, ColFlags)->setText(flags.join(QStringLiteral(", ")));
    m_table->item(row, ColShift)->setText(e.shiftMs != 0 ? tr("%1 ms").arg(e.shiftMs) : QString());
    for (int c = ColStream; c < ColumnCount; ++c)
        m_table->item(row, c)->setFlags(e.keep ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::ItemIsSelectable);
    m_loading = loading;
}

int TracksDlg::selectedRow() const
{
    const QList<QTableWidgetItem *> items = m_table->selectedItems();
    return items.isEmpty() ? -1 : items.first()->row();
}

void TracksDlg::selectRow(int row)
{
    if (row >= 0 && row < m_table->rowCount())
        m_table->selectRow(row);
    showSelected();
}

void TracksDlg::showSelected()
{
    const int row = selectedRow();
    const bool has = row >= 0 && row < int(m_plan.entries.size());
    m_loading = true;
    m_language->setEnabled(has);
    m_title->setEnabled(has);
    m_default->setEnabled(has);
    m_forced->setEnabled(has);
    if (has) {
        const TrackPlanEntry &e = m_plan.entries[size_t(row)];
        const QString code = e.language.empty() ? QStringLiteral("und") : std2q(e.language);
        m_language->setCurrentIndex(qMax(0, m_language->findData(code)));
        m_title->setText(std2q(e.title));
        m_default->setChecked(e.isDefault);
        m_forced->setChecked(e.forced);
        m_shift->setValue(int(e.shiftMs));
    } else {
        m_title->clear();
        m_shift->setValue(0);
    }
    const bool timed = has && m_plan.entries[size_t(row)].kind != 1;
    m_shift->setEnabled(timed);
    int sounds = 0;
    for (const TrackPlanEntry &e : m_plan.entries)
        sounds += e.kind == 2 ? 1 : 0;
    m_btnOffset->setEnabled(has && !m_busy && m_plan.entries[size_t(row)].kind == 2 && sounds > 1);
    const int kind = has ? m_plan.entries[size_t(row)].kind : 0;
    m_btnUp->setEnabled(has && row > 0 && m_plan.entries[size_t(row - 1)].kind == kind);
    m_btnDown->setEnabled(has && row + 1 < int(m_plan.entries.size()) && m_plan.entries[size_t(row + 1)].kind == kind);
    m_loading = false;
}

void TracksDlg::move(int by)
{
    const int row = selectedRow();
    moveRow(row, row + by);
}

void TracksDlg::moveRow(int from, int to)
{
    const int count = int(m_plan.entries.size());
    if (from < 0 || to < 0 || from >= count || to >= count || from == to
        || m_plan.entries[size_t(to)].kind != m_plan.entries[size_t(from)].kind)
        return;
    const TrackPlanEntry moving = m_plan.entries[size_t(from)];
    m_plan.entries.erase(m_plan.entries.begin() + from);
    m_plan.entries.insert(m_plan.entries.begin() + to, moving);
    for (int row = qMin(from, to); row <= qMax(from, to); ++row)
        fillRow(row);
    selectRow(to);
}

bool TracksDlg::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_table->viewport() && !m_busy) {
        if (event->type() == QEvent::MouseButtonPress) {
            m_dragRow = m_table->rowAt(static_cast<QMouseEvent *>(event)->pos().y());
        } else if (event->type() == QEvent::MouseButtonRelease && m_dragRow >= 0) {
            const int to = m_table->rowAt(static_cast<QMouseEvent *>(event)->pos().y());
            const int from = m_dragRow;
            m_dragRow = -1;
            if (to >= 0 && to != from) {
                moveRow(from, to);
                return true;
            }
        }
    }
    return QNinePointsImageDialog::eventFilter(watched, event);
}

void TracksDlg::findOffset()
{
    const int row = selectedRow();
    if (m_busy || row < 0 || m_plan.entries[size_t(row)].kind != 2)
        return;
    // Against the first other sound track, as the list orders them.
    int reference = -1;
    for (const TrackPlanEntry &e : m_plan.entries)
        if (e.kind == 2 && e.stream != m_plan.entries[size_t(row)].stream) {
            reference = e.stream;
            break;
        }
    if (reference < 0)
        return;
    const int stream = m_plan.entries[size_t(row)].stream;
    m_busy = true;
    m_message = tr("Comparing stream %1 with stream %2…").arg(stream).arg(reference);
    retranslateUi();
    showSelected();
    m_btnOk->setEnabled(false);
    const QString source = m_source;
    runOffThread<TrackOffset>(
        this, [source, reference, stream] { return findTrackOffset(source, reference, source, stream); },
        [this, stream, reference](TrackOffset found) {
            m_busy = false;
            m_btnOk->setEnabled(true);
            if (found.found) {
                const int shift = int(qRound64(-found.seconds * 1000));
                m_message = tr("Stream %1 comes %2 s after stream %3 (confidence %4%): its shift is set to %5 ms.")
                                .arg(stream)
                                .arg(QString::number(found.seconds, 'f', 3))
                                .arg(reference)
                                .arg(qRound(found.confidence * 100))
                                .arg(shift);
                for (size_t i = 0; i < m_plan.entries.size(); ++i)
                    if (m_plan.entries[i].stream == stream) {
                        m_plan.entries[i].shiftMs = shift;
                        fillRow(int(i));
                    }
            } else {
                m_message = tr("No offset found: %1").arg(found.reason);
            }
            showSelected();
            retranslateUi();
            emit offsetDone(found.found);
        });
}

void TracksDlg::accept()
{
    if (m_busy)
        return;
    bool keepsAny = false;
    for (const TrackPlanEntry &e : m_plan.entries) {
        keepsAny = keepsAny || e.keep;
        if (e.shiftMs != 0 && m_duration_us > 0 && qAbs(e.shiftMs) * 1000 >= m_duration_us) {
            m_message = tr("The shift of stream %1 (%2 ms) is as long as the file or longer.")
                            .arg(e.stream)
                            .arg(e.shiftMs);
            retranslateUi();
            return;
        }
    }
    if (!m_plan.entries.empty() && !keepsAny) {
        m_message = tr("Keep at least one stream.");
        retranslateUi();
        return;
    }
    // A plan that keeps everything as the source has it is no plan.
    const TrackPlan chosen = m_plan == trackPlanOf(m_source, m_tracks) ? TrackPlan() : m_plan;
    emit planAccepted(chosen);
    QNinePointsImageDialog::accept();
}

void TracksDlg::reject()
{
    // The offset being measured finishes first: its thread is short-lived.
    if (m_busy && m_read)
        return;
    QNinePointsImageDialog::reject();
}

void TracksDlg::retranslateUi()
{
    setTitleText(tr("Tracks"));
    setWindowTitle(tr("Tracks"));
    m_labSource->setText(QFileInfo(m_source).fileName());
    m_table->setHorizontalHeaderLabels({tr("Keep"), tr("Stream"), tr("Codec"), tr("Channels or size"),
                                        tr("Language"), tr("Title"), tr("Flags"), tr("Shift")});
    m_labLanguage->setText(tr("Language:"));
    m_labTitle->setText(tr("Title:"));
    m_default->setText(tr("Default track"));
    m_forced->setText(tr("Forced"));
    m_labShift->setText(tr("Shift (ms):"));
    m_btnUp->setText(tr("Move Up"));
    m_btnDown->setText(tr("Move Down"));
    m_btnReset->setText(tr("Reset"));
    m_btnOffset->setText(tr("Find Offset…"));
    m_btnOk->setText(tr("OK"));
    m_btnCancel->setText(tr("Cancel"));
    m_note->setText(tr("A shift moves a sound or subtitle track's timing without encoding: positive later, negative "
                       "earlier. Sound moved before the start is cut off at a frame boundary; a track moved later "
                       "begins after a gap, and no silence is added. Outputs hold the picture, then the sound, then "
                       "the subtitles; an encoding keeps the picture and the sound tracks kept (only the first where "
                       "its format holds one), without subtitles."));
    for (int row = 0; row < m_table->rowCount(); ++row)
        fillRow(row);
    if (!m_read)
        m_status->setText(tr("Reading the file's streams…"));
    else if (!m_readError.isEmpty())
        m_status->setText(tr("The file cannot be read: %1").arg(m_readError));
    else
        m_status->setText(m_message);
}

void TracksDlg::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        fillLanguages();
        retranslateUi();
    }
    QNinePointsImageDialog::changeEvent(event);
}
