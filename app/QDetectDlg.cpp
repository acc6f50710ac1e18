#include "QDetectDlg.h"

#include "DetectWorker.h"
#include "ParserXML.h"
#include "QImageButton.h"
#include "QTextImageButton.h"
#include "QVoBaseProgress.h"
#include "QVoCheckBox.h"
#include "QVoDoubleSpinBox.h"
#include "QVoRadioButton.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <cmath>

namespace {

const QString kItem = QStringLiteral("DETECT_ITEM");
constexpr int kTitleBand = 38;
const char *const kTextColour = "color: rgb(228,228,228);";

QFont textFont()
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(12);
    return font;
}

QLabel *makeLabel(QWidget *parent, const QString &name)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setFont(textFont());
    label->setStyleSheet(QLatin1String(kTextColour));
    return label;
}

QVoDoubleSpinBox *makeSpin(QWidget *parent, const QString &name, double minimum, double maximum, int decimals,
                           const QString &suffix)
{
    auto *spin = new QVoDoubleSpinBox(parent);
    spin->setObjectName(name);
    spin->setFixedSize(84, 22);
    spin->setDecimals(decimals);
    spin->setRange(minimum, maximum);
    spin->setSingleStep(decimals > 0 ? 0.1 : 1);
    spin->setSuffix(suffix);
    spin->setFont(textFont());
    spin->setBackgroundImage(QStringLiteral("/image/Common_bg/bg_spinbox.png"));
    spin->setStateFrames(true);
    spin->setStyleSheet(spin->styleSheet()
                        + QStringLiteral("QDoubleSpinBox {color: rgb(228,228,228)} "
                                         "QDoubleSpinBox:disabled {color: rgb(128,128,128)}"));
    spin->setButtonImages(QStringLiteral("/image/Common_bg/spin_up.png"), QStringLiteral("/image/Common_bg/spin_down.png"));
    spin->setButtonMargins(1, 2, 1);
    return spin;
}

QString yesNo(bool b) { return b ? QStringLiteral("Y") : QStringLiteral("N"); }

// The settings file keeps texts; a value that is no number keeps the default.
double readNumber(const QString &attribute, double fallback)
{
    bool ok = false;
    const double v = ParserXML::readItemValue(kItem, attribute, QString::number(fallback)).toDouble(&ok);
    return ok && std::isfinite(v) ? v : fallback;
}

// The attribute names of a kind's values in the settings file.
struct Keys {
    const char *on;
    const char *level;
    const char *share;
    const char *length;
};
Keys keysOf(int kind)
{
    switch (kind) {
    case VoDetector::Silence: return {"Silence", "SilenceLevel", nullptr, "SilenceLength"};
    case VoDetector::Black: return {"Black", "BlackPixel", "BlackShare", "BlackLength"};
    case VoDetector::Scene: return {"Scene", "SceneScore", nullptr, "SceneDistance"};
    default: return {"Freeze", "FreezeNoise", nullptr, "FreezeLength"};
    }
}

} // namespace

QDetectDlg::QDetectDlg(const QString &path, int64_t duration_us, QWidget *parent)
    : QNinePointsImageDialog(parent), m_path(path), m_duration(duration_us)
{
    setObjectName(QStringLiteral("QDetectDlg"));
    setModal(true);
    setBackgroundImage(QStringLiteral("/image/Common_bg/bg_4.png"), true);
    setCornerSizes(50, 50, 50, 50, 50, 50, 50, 50);
    setLogoImage(QStringLiteral("/image/Common_bg/main_logo.png"));
    setLogoRect(QRect(14, 9, 20, 20));
    setTitleRect(QRect(42, 9, 400, 20));
    setTitleColor(QColor(245, 245, 245));
    setTitlePixelSize(12);
    setDragAreaHeight(kTitleBand);
    setCloseButton(QStringLiteral("/image/btn_close.png"));
    if (closeButton())
        closeButton()->setFocusPolicy(Qt::NoFocus);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(24, kTitleBand + 14, 24, 18);
    outer->setSpacing(10);

    m_labKinds = makeLabel(this, QStringLiteral("m_labKinds"));
    outer->addWidget(m_labKinds);
    auto *grid = new QGridLayout;
    grid->setContentsMargins(12, 0, 0, 0);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(8);
    outer->addLayout(grid);
    buildRows();
    for (int r = 0; r < m_rows.size(); ++r) {
        const Row &row = m_rows.at(r);
        grid->addWidget(row.check, r, 0);
        // Level, shortest length, and black's share last, so the lengths
        // line up and the other rows stay short.
        const int columns[3] = {1, 5, 3};
        for (int c = 0; c < 3; ++c) {
            if (!row.spins[c])
                continue;
            grid->addWidget(row.labels[c], r, columns[c], Qt::AlignRight | Qt::AlignVCenter);
            grid->addWidget(row.spins[c], r, columns[c] + 1);
        }
    }
    grid->setColumnMinimumWidth(0, 130);
    grid->setColumnStretch(7, 1);

    outer->addSpacing(6);
    m_labUse = makeLabel(this, QStringLiteral("m_labUse"));
    outer->addWidget(m_labUse);
    auto *uses = new QVBoxLayout;
    uses->setContentsMargins(12, 0, 0, 0);
    uses->setSpacing(6);
    auto *group = new QButtonGroup(this);
    auto makeRadio = [&](const char *name) {
        auto *radio = new QVoRadioButton(this);
        radio->setObjectName(QLatin1String(name));
        radio->setFont(textFont());
        radio->setBoxPictures(QStringLiteral("/image/Common_bg/Edit_selections_no.png"),
                              QStringLiteral("/image/Common_bg/Edit_selections_yes.png"));
        radio->setTextColor(QColor(228, 228, 228));
        group->addButton(radio);
        uses->addWidget(radio);
        return radio;
    };
    m_radBetween = makeRadio("m_radBetween");
    m_radInside = makeRadio("m_radInside");
    m_radMarkers = makeRadio("m_radMarkers");
    outer->addLayout(uses);

    outer->addSpacing(6);
    m_labStatus = makeLabel(this, QStringLiteral("m_labStatus"));
    m_labStatus->setWordWrap(true);
    m_labStatus->setMinimumHeight(32);
    m_labStatus->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    outer->addWidget(m_labStatus);
    m_progress = new QVoBaseProgress(this);
    m_progress->setObjectName(QStringLiteral("m_progressBar"));
    m_progress->setTrackPicture(QStringLiteral("/image/PlayDlg/loading_trake.png"));
    m_progress->setFillPicture(QStringLiteral("/image/PlayDlg/loading_trake2.png"));
    m_progress->setRange(0, 1000);
    m_progress->setValue(0);
    m_progress->setFixedHeight(8);
    outer->addWidget(m_progress);

    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(10);
    buttons->addStretch(1);
    auto makeButton = [&](const char *name) {
        auto *button = new QTextImageButton(this);
        button->setObjectName(QLatin1String(name));
        button->setImage(QStringLiteral("/image/Common_bg/btn_common.png"));
        button->setStretch(true);
        button->setTextPixelSize(12);
        button->setMinimumSize(84, 28);
        buttons->addWidget(button);
        return button;
    };
    m_btnDetect = makeButton("m_btnDetect");
    m_btnClose = makeButton("m_btnClose");
    m_btnDetect->setDefault(true);
    m_btnDetect->setAutoDefault(true);
    m_btnClose->setAutoDefault(false);
    outer->addSpacing(4);
    outer->addLayout(buttons);
    connect(m_btnDetect, &QPushButton::clicked, this, &QDetectDlg::OnDetect);
    connect(m_btnClose, &QPushButton::clicked, this, &QDetectDlg::OnClose);

    m_tick.setInterval(50);
    connect(&m_tick, &QTimer::timeout, this, &QDetectDlg::tick);

    readSettings();
    retranslate();
    showStatus(QString(), false);
    // The first choice takes the keys: Space ticks it, Return searches.
    m_rows.first().check->setFocus();
}

QDetectDlg::~QDetectDlg()
{
    // Waiting for the worker runs events: its end, queued to this dialog,
    // may arrive meanwhile and finds no worker to read.
    m_tick.stop();
    std::unique_ptr<DetectWorker> worker = std::move(m_worker);
    worker.reset();
}

void QDetectDlg::buildRows()
{
    const int kinds[] = {VoDetector::Silence, VoDetector::Black, VoDetector::Scene, VoDetector::Freeze};
    const char *const names[] = {"Silence", "Black", "Scene", "Freeze"};
    for (int i = 0; i < 4; ++i) {
        Row row;
        row.kind = kinds[i];
        const QString base = QLatin1String(names[i]);
        row.check = new QVoCheckBox(this);
        row.check->setObjectName(QStringLiteral("m_chk") + base);
        row.check->setBoxPictures(QStringLiteral("/image/Common_bg/btn_check_off1.png"),
                                  QStringLiteral("/image/Common_bg/btn_check_on1.png"));
        row.check->setFont(textFont());
        row.check->setStyleSheet(QLatin1String(kTextColour));
        switch (row.kind) {
        case VoDetector::Silence:
        case VoDetector::Freeze:
            row.spins[0] = makeSpin(this, QStringLiteral("m_spin") + base + QStringLiteral("Level"), -90, -1, 0,
                                    QStringLiteral(" dB"));
            break;
        case VoDetector::Black:
            row.spins[0] = makeSpin(this, QStringLiteral("m_spinBlackPixel"), 0, 100, 0, QStringLiteral(" %"));
            row.spins[1] = makeSpin(this, QStringLiteral("m_spinBlackShare"), 1, 100, 0, QStringLiteral(" %"));
            break;
        default:
            row.spins[0] = makeSpin(this, QStringLiteral("m_spinSceneScore"), 1, 100, 0, QString());
            break;
        }
        row.spins[2] = makeSpin(this, QStringLiteral("m_spin") + base + QStringLiteral("Length"), 0.1, 600, 1,
                                QStringLiteral(" s"));
        for (int c = 0; c < 3; ++c)
            if (row.spins[c])
                row.labels[c] = makeLabel(this, QStringLiteral("m_lab") + base + QString::number(c));
        // A kind left out keeps its values, greyed.
        connect(row.check, &QAbstractButton::toggled, this, [this, i](bool on) {
            if (m_searching)
                return;
            for (int c = 0; c < 3; ++c)
                if (m_rows[i].spins[c]) {
                    m_rows[i].spins[c]->setEnabled(on);
                    m_rows[i].labels[c]->setEnabled(on);
                }
        });
        m_rows.append(row);
    }
}

QString QDetectDlg::kindName(int kind)
{
    switch (kind) {
    case VoDetector::Silence: return tr("Silence");
    case VoDetector::Black: return tr("Black pictures");
    case VoDetector::Scene: return tr("Scene changes");
    default: return tr("Frozen pictures");
    }
}

QString QDetectDlg::searchingText(int kind)
{
    switch (kind) {
    case VoDetector::Silence: return tr("Searching for silence…");
    case VoDetector::Black: return tr("Searching for black pictures…");
    case VoDetector::Scene: return tr("Searching for scene changes…");
    default: return tr("Searching for frozen pictures…");
    }
}

void QDetectDlg::retranslate()
{
    const QString title = tr("Detect Cuts");
    setTitleText(title);
    setWindowTitle(title);
    m_labKinds->setText(tr("Search the file for:"));
    for (Row &row : m_rows) {
        const QString length = tr("for at least");
        row.check->setText(kindName(row.kind));
        switch (row.kind) {
        case VoDetector::Silence:
            row.labels[0]->setText(tr("quieter than"));
            row.labels[2]->setText(length);
            row.spins[0]->setToolTip(tr("Sound below this level counts as silence."));
            break;
        case VoDetector::Black:
            row.labels[0]->setText(tr("pixels darker than"));
            row.labels[1]->setText(tr("covering"));
            row.labels[2]->setText(length);
            row.spins[0]->setToolTip(tr("A pixel at or below this brightness counts as black."));
            row.spins[1]->setToolTip(tr("How much of a picture must be black for the picture to count as black."));
            break;
        case VoDetector::Scene:
            row.labels[0]->setText(tr("change above"));
            row.labels[2]->setText(tr("apart by at least"));
            row.spins[0]->setToolTip(tr("How much the picture must change, from 1 (a little) to 100 (all of it)."));
            break;
        default:
            row.labels[0]->setText(tr("differences below"));
            row.labels[2]->setText(length);
            row.spins[0]->setToolTip(tr("Pictures differing by less than this count as the same picture."));
            break;
        }
    }
    m_labUse->setText(tr("Make of what is found:"));
    m_radBetween->setText(tr("Segments between the findings (leave out silence, black and frozen pictures)"));
    m_radInside->setText(tr("Segments of the findings themselves"));
    m_radMarkers->setText(tr("Markers on the timeline (the segments stay as they are)"));
    m_btnDetect->setText(tr("Detect"));
    m_btnClose->setText(m_searching ? tr("Stop") : tr("Close"));
    if (m_labStatus->property("idle").toBool())
        showStatus(QString(), false);
    adjustSize();
}

void QDetectDlg::showEvent(QShowEvent *event)
{
    QNinePointsImageDialog::showEvent(event);
    // Opened from the program menu, the activation may stay with the menu
    // that just closed; the keys belong to this dialog.
    activateWindow();
}

void QDetectDlg::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QNinePointsImageDialog::changeEvent(event);
}

void QDetectDlg::readSettings()
{
    for (Row &row : m_rows) {
        const VoDetector::Settings d = VoDetector::defaults(row.kind);
        const Keys keys = keysOf(row.kind);
        const bool on = ParserXML::readItemValue(kItem, QLatin1String(keys.on),
                                                 yesNo(row.kind == VoDetector::Silence))
                        == QLatin1String("Y");
        // The library's levels are shares of 1 for black; the dialog shows
        // percent.
        const double scale = row.kind == VoDetector::Black ? 100.0 : 1.0;
        const double level = row.kind == VoDetector::Black ? d.pixelThreshold : d.threshold;
        row.spins[0]->setValue(readNumber(QLatin1String(keys.level), level * scale));
        if (row.spins[1])
            row.spins[1]->setValue(readNumber(QLatin1String(keys.share), d.threshold * scale));
        row.spins[2]->setValue(readNumber(QLatin1String(keys.length), d.minLength_us / 1e6));
        row.check->setChecked(!on); // the toggle below greys the values
        row.check->setChecked(on);
    }
    const QString use = ParserXML::readItemValue(kItem, QStringLiteral("Use"), QStringLiteral("Between"));
    (use == QLatin1String("Inside") ? m_radInside
                                    : use == QLatin1String("Markers") ? m_radMarkers : m_radBetween)
        ->setChecked(true);
}

void QDetectDlg::storeSettings() const
{
    auto store = [](const QString &attribute, const QString &value) {
        // A value is only written to an item that exists.
        ParserXML::readItemValue(kItem, attribute, value);
        ParserXML::writeItemValue(kItem, attribute, value);
    };
    for (const Row &row : m_rows) {
        const Keys keys = keysOf(row.kind);
        store(QLatin1String(keys.on), yesNo(row.check->isChecked()));
        store(QLatin1String(keys.level), QString::number(row.spins[0]->value()));
        if (row.spins[1])
            store(QLatin1String(keys.share), QString::number(row.spins[1]->value()));
        store(QLatin1String(keys.length), QString::number(row.spins[2]->value()));
    }
    store(QStringLiteral("Use"), m_radInside->isChecked()    ? QStringLiteral("Inside")
                                 : m_radMarkers->isChecked() ? QStringLiteral("Markers")
                                                             : QStringLiteral("Between"));
}

QVector<VoDetector::Settings> QDetectDlg::chosenSearches() const
{
    QVector<VoDetector::Settings> searches;
    for (const Row &row : m_rows) {
        if (!row.check->isChecked())
            continue;
        VoDetector::Settings s = VoDetector::defaults(row.kind);
        if (row.kind == VoDetector::Black) {
            s.pixelThreshold = row.spins[0]->value() / 100.0;
            s.threshold = row.spins[1]->value() / 100.0;
        } else {
            s.threshold = row.spins[0]->value();
        }
        s.minLength_us = int64_t(std::llround(row.spins[2]->value() * 1e6));
        searches.append(s);
    }
    return searches;
}

bool QDetectDlg::markersChosen() const
{
    return m_radMarkers->isChecked();
}

detectcuts::Keep QDetectDlg::keep() const
{
    return m_radInside->isChecked() ? detectcuts::Keep::Inside : detectcuts::Keep::Between;
}

QString QDetectDlg::statusText() const
{
    return m_labStatus->text();
}

void QDetectDlg::showStatus(const QString &text, bool fault)
{
    m_labStatus->setProperty("idle", text.isEmpty());
    m_labStatus->setStyleSheet(fault ? QStringLiteral("color: rgb(240,110,90);")
                                     : QStringLiteral("color: rgb(160,160,160);"));
    m_labStatus->setText(text.isEmpty() ? tr("The whole file is searched. Undo (Ctrl+Z) takes back the "
                                             "segments made.")
                                        : text);
}

void QDetectDlg::setSearching(bool on)
{
    m_searching = on;
    for (Row &row : m_rows) {
        row.check->setEnabled(!on);
        for (int c = 0; c < 3; ++c)
            if (row.spins[c]) {
                row.spins[c]->setEnabled(!on && row.check->isChecked());
                row.labels[c]->setEnabled(!on && row.check->isChecked());
            }
    }
    m_radBetween->setEnabled(!on);
    m_radInside->setEnabled(!on);
    m_radMarkers->setEnabled(!on);
    m_btnDetect->setEnabled(!on);
    m_btnClose->setText(on ? tr("Stop") : tr("Close"));
    // Return stops no search by accident; Esc does, as Stop.
    m_btnClose->setFocus();
}

void QDetectDlg::OnDetect()
{
    if (m_searching)
        return;
    const QVector<VoDetector::Settings> searches = chosenSearches();
    if (searches.isEmpty()) {
        showStatus(tr("Choose at least one thing to search for."), true);
        return;
    }
    storeSettings();
    if (!m_worker)
        m_worker = std::make_unique<DetectWorker>([this] {
            QMetaObject::invokeMethod(this, [this] { searchEnded(); }, Qt::QueuedConnection);
        });
    m_lastSearchCount = searches.size();
    m_pieces.clear();
    m_markers.clear();
    m_stopping = false;
    m_progress->setValue(0);
    setSearching(true);
    tick();
    m_worker->begin(m_path, searches);
    m_tick.start();
}

void QDetectDlg::tick()
{
    if (!m_searching || !m_worker)
        return;
    // Stopping: the worker's end is on its way; the progress stays where
    // the stop found it.
    if (m_stopping)
        return;
    m_progress->setValue(m_worker->progress());
    const QVector<VoDetector::Settings> searches = chosenSearches();
    const int index = qBound(0, m_worker->current(), qMax(0, m_lastSearchCount - 1));
    const QString what = searchingText(searches.value(index).kind);
    showStatus(m_lastSearchCount > 1 ? tr("(%2 of %3) %1").arg(what).arg(index + 1).arg(m_lastSearchCount) : what,
               false);
}

void QDetectDlg::searchEnded()
{
    if (!m_worker)
        return;
    m_tick.stop();
    m_worker->waitForExit();
    const DetectWorker::Outcome outcome = m_worker->outcome();
    setSearching(false);
    m_btnDetect->setFocus();
    if (m_closeWhenStopped) {
        QNinePointsImageDialog::reject();
        return;
    }
    const QString what = kindName(outcome.failedKind);
    switch (outcome.failure) {
    case VoDetector::None:
        break;
    case VoDetector::Stopped:
        m_progress->setValue(0);
        showStatus(tr("Stopped. Nothing was changed."), false);
        return;
    case VoDetector::NoAudio:
        showStatus(tr("The file has no sound, so there is no silence to search for."), true);
        return;
    case VoDetector::NoVideo:
        showStatus(tr("The file has no pictures, so black pictures, scene changes and frozen pictures cannot be "
                      "searched for."),
                   true);
        return;
    case VoDetector::BadSettings:
        showStatus(tr("A setting of “%1” is out of its range.").arg(what), true);
        return;
    default:
        showStatus(tr("The file could not be read in the search for “%1”.").arg(what)
                       + (outcome.error.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(outcome.error)),
                   true);
        return;
    }
    m_progress->setValue(1000);
    if (outcome.ranges.isEmpty()) {
        showStatus(tr("Nothing was found. Lower the minimum lengths or loosen the levels to find more."), false);
        return;
    }
    std::vector<detectcuts::Finding> findings;
    for (const VoDetector::Range &r : outcome.ranges)
        findings.push_back({r.start_us, r.end_us});
    if (markersChosen()) {
        m_markers = detectcuts::marks(findings, m_duration);
        if (m_markers.empty()) {
            showStatus(tr("Places were found only at the very start or end of the file; there is nothing to mark."),
                       false);
            return;
        }
        accept();
        return;
    }
    m_pieces = detectcuts::pieces(findings, m_duration, keep());
    if (m_pieces.empty()) {
        showStatus(tr("Places were found, but they leave no segment of a quarter second or more."), false);
        return;
    }
    if (int(m_pieces.size()) > m_maxPieces) {
        showStatus(tr("This would make %1 segments; the work can hold at most %2. Raise the minimum lengths to "
                      "find fewer places.")
                       .arg(m_pieces.size())
                       .arg(m_maxPieces),
                   true);
        m_pieces.clear();
        return;
    }
    accept();
}

void QDetectDlg::OnClose()
{
    if (m_searching) {
        m_stopping = true;
        m_worker->stop();
        return;
    }
    reject();
}

void QDetectDlg::reject()
{
    // Esc and the close button stop a search first; the dialog goes when
    // the worker has ended.
    if (m_searching) {
        m_closeWhenStopped = true;
        m_stopping = true;
        m_worker->stop();
        return;
    }
    QNinePointsImageDialog::reject();
}
