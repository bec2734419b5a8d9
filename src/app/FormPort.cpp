// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/FormPort.h"

#include "app/EnterPressesButtons.h"
#include "app/ReadableColours.h"
#include "app/SupportLink.h"
#include "commands/LineCommands.h"
#include "settings/SettingsStore.h"
#include "settings/TypedNumber.h"
#include "ui_FormPort.h"

#include <QCloseEvent>
#include <QStyle>
#include <QStyleFactory>

namespace linvox {
namespace {

constexpr int kTwipsPerPixel = 15;

constexpr int Pixels(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

// Outer sizes, frame and title bar included.
constexpr int kCompactWidthTwips = 5460;
constexpr int kCompactHeightTwips = 1800;
constexpr int kSettingsWidthTwips = 8640;
constexpr int kSettingsHeightTwips = 6360;

// The form was laid out for a system font of about 11 pixels whose letters run narrower than
// today's; Arial (Liberation Sans on Linux) at 10 pixels keeps every caption inside its control.
QFont FormFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(10);
    return font;
}

QIcon ProgramIcon() {
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/linvox-16.png"), QSize(16, 16));
    icon.addFile(QStringLiteral(":/icons/linvox-32.png"), QSize(32, 32));
    return icon;
}

}  // namespace

FormPort::FormPort(Services services, QWidget* parent)
    : QWidget(parent), m_ui(std::make_unique<Ui::FormPort>()), m_services(std::move(services)) {
    setFont(FormFont());
    m_ui->setupUi(this);
    m_portRows = PortTableRows(*m_ui);
    m_searchPanel = std::make_unique<SearchPanel>(m_ui->Frame1, m_ui->Shape1, m_ui->Text4);
    m_checkPanel =
        std::make_unique<CheckPanel>(m_ui->Frame2, m_ui->Shape2, m_portRows, m_ui->Option1);
    setWindowIcon(ProgramIcon());
    setFixedSize(size());
    // The settings view's controls lie below the compact view's edge. Hidden with it, they take
    // no focus, and a screen reader does not meet them.
    m_ui->SettingsView->hide();
    PaintFixedColours();

    // A screen reader names each port field after its operator, as a sighted user reads it, and
    // describes each result label by its row.
    for (const PortRow& row : m_portRows) {
        row.operatorLabel->setBuddy(row.field);
        row.resultLabel->setAccessibleDescription(row.operatorLabel->text());
    }

    m_ui->Label13->setText(kSupportAddress);
    m_ui->Command4->setText(Say(Phrase::ShowSettingsCaption));
    m_ui->Text2->setFocus();
    ConnectHandlers();
}

FormPort::~FormPort() = default;

void FormPort::PaintFixedColours() {
    // A system colour, which the form cannot name: the result box in the tooltip colours.
    QPalette tooltipColours = m_ui->Text4->palette();
    tooltipColours.setColor(QPalette::Base, tooltipColours.color(QPalette::ToolTipBase));
    tooltipColours.setColor(QPalette::Text, tooltipColours.color(QPalette::ToolTipText));
    m_ui->Text4->setPalette(tooltipColours);

    // Every colour the form fixes gets a partner that reads on it in the user's theme, dark ones
    // included.
    MakeTextReadable(m_ui->Text2, QPalette::Base, QPalette::Text);
    MakeTextReadable(m_ui->Text4, QPalette::Base, QPalette::Text);
    // Some styles, Windows' own among them, paint every button alike whatever its colour. Fusion,
    // compiled into every Qt, paints the colour and the keyboard focus on it.
    QStyle* colouredButtonStyle = QStyleFactory::create(QStringLiteral("Fusion"));
    colouredButtonStyle->setParent(this);
    for (QPushButton* button : {m_ui->Command1, m_ui->Command5, m_ui->Command7}) {
        button->setStyle(colouredButtonStyle);
        MakeTextReadable(button, QPalette::Button, QPalette::ButtonText);
    }
    for (const PortRow& row : m_portRows) {
        MakeBackgroundReadable(row.operatorLabel);
        MakeBackgroundReadable(row.resultLabel);
    }
    MakeBackgroundReadable(m_ui->Label13);
}

void FormPort::ConnectHandlers() {
    auto* enterPressesButtons = new EnterPressesButtons(this);
    for (QAbstractButton* button : findChildren<QAbstractButton*>()) {
        enterPressesButtons->Serve(button);
    }
    // Enter in the number field calls it, as the window's default button would.
    connect(m_ui->Text2, &QLineEdit::returnPressed, m_ui->Command1, &QPushButton::click);
    connect(m_ui->Command1, &QPushButton::clicked, this, &FormPort::CallTypedNumber);
    connect(m_ui->Command4, &QPushButton::clicked, this, &FormPort::SwitchView);
    connect(m_ui->Command5, &QPushButton::clicked, this,
            [this] { m_services.lineCommands.SearchPorts(*m_searchPanel); });
    connect(m_ui->Command7, &QPushButton::clicked, this,
            [this] { m_services.lineCommands.CheckPorts(*m_checkPanel); });
    connect(m_ui->Option1, &QRadioButton::toggled, this, [this](bool selected) {
        if (selected) {
            SelectPhoneMode(PhoneMode::Single);
        }
    });
    connect(m_ui->Option2, &QRadioButton::toggled, this, [this](bool selected) {
        if (selected) {
            SelectPhoneMode(PhoneMode::Multi);
        }
    });
    for (const PortRow& row : m_portRows) {
        connect(row.field, &QLineEdit::textChanged, this, [this, row] { StorePortField(row); });
    }
    connect(m_ui->Label13, &LinkLabel::clicked, this, &FormPort::OpenSupportSite);
}

void FormPort::LoadSettings() {
    m_loading = true;
    // The field for all calls first, then the operators' fields in table order.
    m_portRows[kAllCallsRow].field->setText(StoredPortText(*m_portRows[kAllCallsRow].setting));
    for (std::size_t i = 0; i < kAllCallsRow; ++i) {
        m_portRows[i].field->setText(StoredPortText(*m_portRows[i].setting));
    }
    if (m_services.settings.Read(kPhoneMode) == PhoneMode::Single) {
        // Selected in the form already, so selecting it stores nothing.
        m_ui->Option1->setChecked(true);
        ApplyLayout(PhoneMode::Single);
    } else {
        m_ui->Option2->setChecked(true);
        ApplyLayout(PhoneMode::Multi);
    }
    m_loading = false;
}

QString FormPort::StoredPortText(const PortSetting& setting) const {
    if (const std::optional<qint16> port = m_services.settings.Read(setting)) {
        return QString::number(*port);
    }
    // Beyond 16 bits: shown as stored, for the user to see and correct.
    return m_services.settings.ReadSetting(setting);
}

void FormPort::SwitchView() {
    m_settingsShown = !m_settingsShown;
    m_ui->SettingsView->setVisible(m_settingsShown);
    if (m_settingsShown) {
        SetOuterSize(kSettingsWidthTwips, kSettingsHeightTwips);
    } else {
        SetOuterSize(kCompactWidthTwips, kCompactHeightTwips);
    }
    // The switch's caption names the view it leads to.
    m_ui->Command4->setText(
        Say(m_settingsShown ? Phrase::HideSettingsCaption : Phrase::ShowSettingsCaption));
}

void FormPort::SetOuterSize(int widthTwips, int heightTwips) {
    // The title bar and borders, known once the window system has framed the window.
    const QSize frame = frameGeometry().size() - geometry().size();
    setFixedHeight(Pixels(heightTwips) - frame.height());
    setFixedWidth(Pixels(widthTwips) - frame.width());
}

void FormPort::SelectPhoneMode(PhoneMode mode) {
    ApplyLayout(mode);
    ReportStore(m_services.settings.WriteSetting(kPhoneMode, PhoneModeText(mode)));
}

void FormPort::ApplyLayout(PhoneMode mode) {
    const bool operatorRowsShown = mode == PhoneMode::Multi;
    for (std::size_t i = 0; i < kAllCallsRow; ++i) {
        m_portRows[i].field->setVisible(operatorRowsShown);
        m_portRows[i].operatorLabel->setVisible(operatorRowsShown);
        m_portRows[i].resultLabel->setVisible(operatorRowsShown);
    }
    const PortRow& allCalls = m_portRows[kAllCallsRow];
    allCalls.operatorLabel->setText(
        Say(operatorRowsShown ? kOperators[kAllCallsRow].caption : Phrase::PortForAllCallsCaption));
    allCalls.resultLabel->setAccessibleDescription(allCalls.operatorLabel->text());
}

void FormPort::StorePortField(const PortRow& row) {
    const QString text = row.field->text();
    if (!ReadsAsNumber(text)) {
        m_services.messages.Show({Say(Phrase::PortMustBeDigits), kProgramTitle});
        return;
    }
    ReportStore(m_services.settings.WriteSetting(*row.setting, text));
}

void FormPort::ReportStore(const StoreStatus& status) {
    if (status.ok()) {
        if (const std::optional<Failure>& notice = status.value().notice) {
            m_services.messages.Show({Say(*notice), kProgramTitle});
        }
        return;
    }
    // A program asked to end saves nothing more, and its user, who asked, needs no telling.
    // Filling the fields stores each of them again; a store that refuses them all for one reason
    // is reported once, not once a field.
    if (status.failedWith(FailureCode::Interrupted) ||
        (m_loading && status.failure() == m_refusalShownWhileLoading)) {
        return;
    }
    if (m_loading) {
        m_refusalShownWhileLoading = status.failure();
    }
    m_services.messages.Show(
        {Say(Failure(FailureCode::SettingNotSaved).Because(status.failure())), kProgramTitle});
}

void FormPort::CallTypedNumber() {
    m_services.lineCommands.PlaceManualCall(m_ui->Text2->text());
}

void FormPort::OpenSupportSite() {
    ExecuteLink(kSupportAddress, m_services.shell, m_services.messages);
}

void FormPort::closeEvent(QCloseEvent* event) {
    event->accept();
    m_services.lineCommands.ReleaseLine();
    m_services.endProgram();
}

}  // namespace linvox
