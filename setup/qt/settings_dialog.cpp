#include "setup/qt/settings_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

#include <map>
#include <stdexcept>

#include "platform/qt/qt_geometry.h"
#include "platform/user_notifier.h"
#include "setup/qt/pickers.h"
#include "setup/settings_dialog_layout.h"
#include "shell/qt/qt_colour.h"

namespace tavlo {
namespace {

// 0x00BBGGRR values of the dialog's own colours.
constexpr Colour kSetButtonColour = 0xCDFAF8;
constexpr Colour kNoteColour = 0x0000FF;  // red
constexpr Colour kLinkColour = 0xFF0000;  // blue

QString text(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// A swatch shows its colour; one without shows the system's window colour.
void paintSwatch(QLabel* swatch, const std::optional<Colour>& colour)
{
    const QColor shown = colour ? toQColor(*colour) : QApplication::palette().color(QPalette::Window);
    swatch->setStyleSheet(QString("QLabel { background: %1; border: 1px solid #808080; }").arg(shown.name()));
}

// A label that reacts to a click like a link.
class LinkLabel : public QLabel {
public:
    LinkLabel(const QString& caption, QWidget* parent) : QLabel(caption, parent)
    {
        setCursor(Qt::PointingHandCursor);
        setStyleSheet(QString("color: %1;").arg(toQColor(kLinkColour).name()));
    }

    std::function<void()> onClick;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton && onClick)
            onClick();
    }
};

// Swallows Return and Enter, so that typing into a combo's edit part never
// chooses an item.
class NoReturn : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter)
                return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

// An editable combo of "表示" and "非表示": only choosing an item of its list
// changes the setting, never text typed into it.
QComboBox* showHideCombo(QWidget* parent)
{
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    combo->lineEdit()->installEventFilter(new NoReturn(combo));
    combo->addItems({text(kShown), text(kHidden)});
    return combo;
}

QWidget* makeControl(const ControlPlacement& placement, QWidget* parent)
{
    const QString caption = text(placement.caption);
    switch (placement.kind) {
    case ControlKind::Group:
        return new QGroupBox(caption, parent);
    case ControlKind::CheckBox:
        return new QCheckBox(caption, parent);
    case ControlKind::Label:
        return new QLabel(caption, parent);
    case ControlKind::Note: {
        auto* label = new QLabel(caption, parent);
        label->setStyleSheet(QString("color: %1;").arg(toQColor(kNoteColour).name()));
        label->setWordWrap(true);
        return label;
    }
    case ControlKind::Link:
        return new LinkLabel(caption, parent);
    case ControlKind::Button:
        return new QPushButton(caption, parent);
    case ControlKind::SetButton: {
        auto* button = new QPushButton(caption, parent);
        button->setStyleSheet(QString("background: %1;").arg(toQColor(kSetButtonColour).name()));
        return button;
    }
    case ControlKind::Swatch:
        return new QLabel(parent);
    case ControlKind::ShowHideCombo:
        return showHideCombo(parent);
    case ControlKind::TextBox:
        return new QLineEdit(parent);
    }
    return nullptr;
}

}  // namespace

SettingsDialog::SettingsDialog(Pickers& pickers, UserNotifier& notifier)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      pickers_(pickers),
      notifier_(notifier)
{
    setObjectName("frmSetup");
    setWindowTitle("設定");
    setFixedSize(wholePixels(kSetupClientSize.width), wholePixels(kSetupClientSize.height));
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    build();
    connectControls();
}

void SettingsDialog::build()
{
    for (const ControlPlacement& placement : kSetupControls) {
        QWidget* parent = placement.parent.empty() ? this : controls_.at(placement.parent);
        QWidget* control = makeControl(placement, parent);
        control->setGeometry(wholeQRect(placement.rect));
        if (!placement.name.empty()) {
            control->setObjectName(text(placement.name));
            controls_[placement.name] = control;
        }
    }
}

// A control of the table by its name; a name the table lacks, or a control of
// another kind, is a fault of the program and stops it here.
template <typename T> T* SettingsDialog::control(std::string_view name) const
{
    auto* found = dynamic_cast<T*>(controls_.at(name));
    if (!found)
        throw std::logic_error("the settings dialog's control " + std::string(name) + " is of another kind");
    return found;
}

void SettingsDialog::connectControls()
{
    const auto onClick = [this](std::string_view name, auto handler) {
        connect(control<QAbstractButton>(name), &QAbstractButton::clicked, this, handler);
    };
    // A click that changes the state, which the controls then show.
    const auto onEdit = [this, &onClick](std::string_view name, auto change) {
        onClick(name, [this, change] {
            change();
            refresh();
        });
    };
    onEdit("Check1", [this] { state_.Check1_Click(); });
    onEdit("Check2", [this] { state_.Check2_Click(); });
    for (const ColourRowFields& row : kColourRows) {
        const std::string key(row.key);
        onEdit("browse-" + key,
            [this, row = row.row] { state_.PickColor(row, pickers_.pickColour(kPickerPreset, this)); });
        onEdit("delete-" + key, [this, row = row.row] { state_.deleteColour(row); });
    }
    onEdit("Command21", [this] { state_.PickTransparencyColour(pickers_.pickColour(kPickerPreset, this)); });
    onEdit("Command17", [this] { state_.PickClockFont(pickers_.pickFont(state_.fontPreset(), 9, this)); });
    onClick("Command6", [this] { emit saveRequested(); });
    onClick("Command5", [this] { close(); });
    onClick("cmdUnld", [this] { close(); });
    control<LinkLabel>("Label30")->onClick = [this] { notifier_.showMessage(memoryHelpMessage()); };

    const auto onChoice = [this](std::string_view name, void (SettingsDialogState::*handler)(const std::string&)) {
        auto* combo = control<QComboBox>(name);
        connect(combo, &QComboBox::activated, this,
            [this, combo, handler](int index) { (state_.*handler)(combo->itemText(index).toStdString()); });
    };
    onChoice("cboCVw", &SettingsDialogState::cboCVw_Click);
    onChoice("cboMVw", &SettingsDialogState::cboMVw_Click);

    const std::pair<std::string_view, std::string SettingsDialogState::*> textBoxes[]
        = {{"ClFntN", &SettingsDialogState::ClFntN}, {"ClFntSt", &SettingsDialogState::ClFntSt},
            {"RTUl", &SettingsDialogState::RTUl}};
    for (const auto& [name, field] : textBoxes) {
        connect(control<QLineEdit>(name), &QLineEdit::textEdited, this,
            [this, field = field](const QString& value) { state_.*field = value.toStdString(); });
    }
}

void SettingsDialog::centreOn(const PixelRect& area)
{
    centreArea_ = area;
    awaitingFrame_ = true;
    placeByFrame();
}

void SettingsDialog::placeByFrame()
{
    const PixelRect place = centredOn(centreArea_, frameGeometry().width(), frameGeometry().height());
    move(place.x, place.y);
}

void SettingsDialog::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    // The frame is known once the window manager has put it around the
    // window; move() places the frame, so the outer size is what centres.
    if (awaitingFrame_ && frameGeometry().size() != size()) {
        awaitingFrame_ = false;
        placeByFrame();
    }
}

void SettingsDialog::Form_Load(const SettingsStore& store)
{
    state_ = SettingsDialogState();
    state_.Form_Load(store);
    refresh();
}

void SettingsDialog::refresh()
{
    control<QCheckBox>("Check1")->setChecked(state_.allItemsChecked);
    control<QCheckBox>("Check2")->setChecked(state_.perItemChecked);
    control<QWidget>("Frame3")->setEnabled(state_.allItemsEnabled);
    control<QWidget>("Frame4")->setEnabled(state_.perItemEnabled);
    for (const ColourRowFields& row : kColourRows)
        paintSwatch(control<QLabel>(row.swatchName), state_.swatch(row.row));
    paintSwatch(control<QLabel>("Bc"), state_.transparencySwatch);
    control<QComboBox>("cboCVw")->setCurrentText(text(state_.cboCVw));
    control<QComboBox>("cboMVw")->setCurrentText(text(state_.cboMVw));
    control<QLineEdit>("ClFntN")->setText(QString::fromStdString(state_.ClFntN));
    control<QLineEdit>("ClFntSt")->setText(QString::fromStdString(state_.ClFntSt));
    control<QLineEdit>("RTUl")->setText(QString::fromStdString(state_.RTUl));
}

}  // namespace tavlo
