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

#include "platform/user_notifier.h"
#include "setup/qt/pickers.h"
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

QLabel* note(QWidget* parent, const QString& caption, const QRect& geometry)
{
    auto* label = new QLabel(caption, parent);
    label->setGeometry(geometry);
    label->setStyleSheet(QString("color: %1;").arg(toQColor(kNoteColour).name()));
    label->setWordWrap(true);
    return label;
}

// A label that reacts to a click like a link.
class LinkLabel : public QLabel {
public:
    LinkLabel(const QString& caption, QWidget* parent, std::function<void()> onClick)
        : QLabel(caption, parent), onClick_(std::move(onClick))
    {
        setCursor(Qt::PointingHandCursor);
        setStyleSheet(QString("color: %1;").arg(toQColor(kLinkColour).name()));
    }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton)
            onClick_();
    }

private:
    std::function<void()> onClick_;
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
QComboBox* showHideCombo(QWidget* parent, const QRect& geometry)
{
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    combo->lineEdit()->installEventFilter(new NoReturn(combo));
    combo->addItems({text(kShown), text(kHidden)});
    combo->setGeometry(geometry);
    return combo;
}

}  // namespace

SettingsDialog::SettingsDialog(Pickers& pickers, UserNotifier& notifier)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      pickers_(pickers),
      notifier_(notifier)
{
    setObjectName("frmSetup");
    setWindowTitle("設定");
    setFixedSize(561, 352);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    build();
}

void SettingsDialog::build()
{
    auto* Frame1 = new QGroupBox("色", this);
    Frame1->setGeometry(8, 4, 545, 300);

    // Left column: the colour modes, the item rows and the transparency colour.
    Check1_ = new QCheckBox("すべて同じ色に設定する", Frame1);
    Check1_->setObjectName("Check1");
    Check1_->setGeometry(12, 20, 240, 20);
    Frame3_ = new QGroupBox(Frame1);
    Frame3_->setObjectName("Frame3");
    Frame3_->setGeometry(12, 40, 260, 36);
    addColourRow(Frame3_, "all", QString(), 8, true);

    Check2_ = new QCheckBox("項目別に色を設定する", Frame1);
    Check2_->setObjectName("Check2");
    Check2_->setGeometry(12, 82, 240, 20);
    Frame4_ = new QGroupBox(Frame1);
    Frame4_->setObjectName("Frame4");
    Frame4_->setGeometry(12, 102, 260, 138);
    const std::pair<std::string_view, const char*> items[]
        = {{"date", "DATE"}, {"time", "TIME"}, {"c", "CPU"}, {"r", "RAM"}, {"d", "DISK"}, {"ds", "空き領域"}};
    int y = 6;
    for (const auto& [key, caption] : items) {
        addColourRow(Frame4_, key, caption, y, true);
        y += 21;
    }
    connect(Check1_, &QCheckBox::clicked, this, [this] {
        form_.Check1_Click();
        refresh();
    });
    connect(Check2_, &QCheckBox::clicked, this, [this] {
        form_.Check2_Click();
        refresh();
    });

    auto* Frame5 = new QGroupBox("ウインドウ", Frame1);
    Frame5->setGeometry(12, 244, 260, 48);
    (new QLabel("ウインドウ透過色：", Frame5))->setGeometry(8, 20, 110, 20);
    auto* Command21 = new QPushButton("設定", Frame5);
    Command21->setObjectName("Command21");
    Command21->setGeometry(120, 18, 50, 22);
    Command21->setStyleSheet(QString("background: %1;").arg(toQColor(kSetButtonColour).name()));
    connect(Command21, &QPushButton::clicked, this, [this] { pickColour("back"); });
    Bc_ = new QLabel(Frame5);
    Bc_->setObjectName("Bc");
    Bc_->setGeometry(180, 18, 60, 22);

    // Right column: clock and moon, physical memory.
    auto* Frame2 = new QGroupBox("時計と月齢", Frame1);
    Frame2->setGeometry(282, 20, 252, 150);
    (new QLabel("時計：", Frame2))->setGeometry(10, 22, 50, 20);
    cboCVw_ = showHideCombo(Frame2, QRect(60, 20, 90, 22));
    cboCVw_->setObjectName("cboCVw");
    connect(cboCVw_, &QComboBox::activated, this,
        [this](int index) { form_.cboCVw_Click(cboCVw_->itemText(index).toStdString()); });
    auto* Command17 = new QPushButton("フォント", Frame2);
    Command17->setObjectName("Command17");
    Command17->setGeometry(10, 50, 64, 22);
    connect(Command17, &QPushButton::clicked, this, [this] {
        form_.PickClockFont(pickers_.pickFont(form_.fontPreset(), 9, this));
        refresh();
    });
    ClFntN_ = new QLineEdit(Frame2);
    ClFntN_->setObjectName("ClFntN");
    ClFntN_->setGeometry(80, 50, 162, 22);
    connect(
        ClFntN_, &QLineEdit::textEdited, this, [this](const QString& value) { form_.ClFntN = value.toStdString(); });
    ClFntSt_ = new QLineEdit(Frame2);
    ClFntSt_->setObjectName("ClFntSt");
    ClFntSt_->setGeometry(80, 76, 162, 22);
    connect(
        ClFntSt_, &QLineEdit::textEdited, this, [this](const QString& value) { form_.ClFntSt = value.toStdString(); });
    note(Frame2, "フォントサイズは指定できません", QRect(60, 100, 188, 18));
    (new QLabel("月齢：", Frame2))->setGeometry(10, 124, 50, 20);
    cboMVw_ = showHideCombo(Frame2, QRect(60, 122, 90, 22));
    cboMVw_->setObjectName("cboMVw");
    connect(cboMVw_, &QComboBox::activated, this,
        [this](int index) { form_.cboMVw_Click(cboMVw_->itemText(index).toStdString()); });

    auto* Frame7 = new QGroupBox("物理メモリ", Frame1);
    Frame7->setGeometry(282, 176, 252, 116);
    note(Frame7, "物理メモリが2Gを超える場合に設定してください。", QRect(10, 18, 236, 36));
    auto* Label30 = new LinkLabel("[確認方法]", Frame7, [this] { notifier_.showMessage(memoryHelpMessage()); });
    Label30->setObjectName("Label30");
    Label30->setGeometry(10, 56, 80, 18);
    (new QLabel("物理メモリサイズ：", Frame7))->setGeometry(10, 84, 110, 20);
    RTUl_ = new QLineEdit(Frame7);
    RTUl_->setObjectName("RTUl");
    RTUl_->setGeometry(120, 82, 90, 22);
    connect(RTUl_, &QLineEdit::textEdited, this, [this](const QString& value) { form_.RTUl = value.toStdString(); });
    (new QLabel("MB", Frame7))->setGeometry(216, 84, 30, 20);

    // Bottom row.
    auto* Command6 = new QPushButton("保存", this);
    Command6->setObjectName("Command6");
    Command6->setGeometry(283, 316, 80, 26);
    connect(Command6, &QPushButton::clicked, this, &SettingsDialog::saveRequested);
    auto* Command5 = new QPushButton("キャンセル", this);
    Command5->setObjectName("Command5");
    Command5->setGeometry(373, 316, 80, 26);
    connect(Command5, &QPushButton::clicked, this, &QWidget::close);
    auto* cmdUnld = new QPushButton("閉じる", this);
    cmdUnld->setObjectName("cmdUnld");
    cmdUnld->setGeometry(463, 316, 80, 26);
    connect(cmdUnld, &QPushButton::clicked, this, &QWidget::close);
}

void SettingsDialog::addColourRow(QWidget* parent, std::string_view key, const QString& caption, int y, bool deletable)
{
    if (!caption.isEmpty())
        (new QLabel(caption, parent))->setGeometry(8, y + 1, 60, 18);
    auto* swatch = new QLabel(parent);
    swatch->setObjectName(QString("swatch-") + text(key));
    swatch->setGeometry(72, y, 60, 18);
    swatches_[key] = swatch;
    auto* browse = new QPushButton("参照", parent);
    browse->setObjectName(QString("browse-") + text(key));
    browse->setGeometry(140, y, 50, 19);
    connect(browse, &QPushButton::clicked, this, [this, key] { pickColour(key); });
    if (deletable) {
        auto* remove = new QPushButton("削除", parent);
        remove->setObjectName(QString("delete-") + text(key));
        remove->setGeometry(196, y, 50, 19);
        connect(remove, &QPushButton::clicked, this, [this, key] {
            form_.deleteColour(key);
            refresh();
        });
    }
}

void SettingsDialog::Form_Load(const SettingsStore& store)
{
    form_ = SettingsDialogState();
    form_.Form_Load(store);
    refresh();
}

void SettingsDialog::pickColour(std::string_view key)
{
    form_.PickColor(key, pickers_.pickColour(kPickerPreset, this));
    refresh();
}

void SettingsDialog::refresh()
{
    Check1_->setChecked(form_.Check1);
    Check2_->setChecked(form_.Check2);
    Frame3_->setEnabled(form_.Frame3Enabled);
    Frame4_->setEnabled(form_.Frame4Enabled);
    for (const ColourRow& row : kColourRows)
        paintSwatch(swatches_.at(row.key), form_.*row.swatch);
    paintSwatch(Bc_, form_.Bc);
    cboCVw_->setCurrentText(text(form_.cboCVw));
    cboMVw_->setCurrentText(text(form_.cboMVw));
    ClFntN_->setText(QString::fromStdString(form_.ClFntN));
    ClFntSt_->setText(QString::fromStdString(form_.ClFntSt));
    RTUl_->setText(QString::fromStdString(form_.RTUl));
}

}  // namespace tavlo
