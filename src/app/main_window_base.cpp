#include "app/main_window_base.h"

#include "app/app_state.h"
#include "app/contact_list_model.h"
#include "platform/caption_label.h"
#include "platform/colors.h"
#include "platform/controls.h"
#include "platform/key_events.h"
#include "platform/paste_filter.h"
#include "log/key_filters.h"
#include "log/post_contest.h"
#include "reports/rover_county_change_dialog.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QTimer>
#include <QTreeView>

using platform::ControlKind;
using platform::FontSpec;
using platform::makeControl;

namespace {

const FontSpec HeadingFont{QStringLiteral("Arial"), 9.75, true};
const FontSpec LabelFont{QStringLiteral("MS Sans Serif"), 8.25, true};
const FontSpec EntryFont{QStringLiteral("Arial"), 9.75, true};
const FontSpec ListFont{QStringLiteral("MS Sans Serif"), 8.25, false};
const FontSpec ButtonFont{QStringLiteral("MS Sans Serif"), 8.25, true};

const QColor Navy(0, 0, 128);

void paint(QWidget* w, const QColor& back, const QColor& fore = Qt::black)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, back);
    p.setColor(QPalette::Button, back);
    p.setColor(QPalette::WindowText, fore);
    p.setColor(QPalette::ButtonText, fore);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

// Clicks on a label, and mouse releases on the contact list, as handlers.
class ClickFilter : public QObject {
public:
    ClickFilter(QObject* parent, std::function<void(Qt::MouseButton)> onRelease)
        : QObject(parent), m_onRelease(std::move(onRelease))
    {
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonRelease)
            m_onRelease(static_cast<QMouseEvent*>(event)->button());
        return false;
    }

private:
    std::function<void(Qt::MouseButton)> m_onRelease;
};

// Runs a handler when a control receives one kind of event.
class EventHook : public QObject {
public:
    EventHook(QObject* parent, QEvent::Type type, std::function<void()> handler)
        : QObject(parent), m_type(type), m_handler(std::move(handler))
    {
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == m_type)
            m_handler();
        return false;
    }

private:
    QEvent::Type m_type;
    std::function<void()> m_handler;
};

// Mouse moves over the surface itself, not over one of its controls.
class SurfaceMoveFilter : public QObject {
public:
    SurfaceMoveFilter(QObject* parent, QWidget* surface, std::function<void()> handler)
        : QObject(parent), m_surface(surface), m_handler(std::move(handler))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_surface && event->type() == QEvent::MouseMove) {
            const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
            if (!m_surface->childAt(at))
                m_handler();
        }
        return false;
    }

private:
    QWidget* m_surface;
    std::function<void()> m_handler;
};

}  // namespace

MainWindowBase::MainWindowBase(app::AppState& state, app::MainWindowServices& services,
                               contactlog::WindowKind kind, QWidget* parent)
    : QMainWindow(parent), m_state(state), m_services(services), m_kind(kind)
{
    if (kind == contactlog::WindowKind::InState)
        m_rover = std::make_unique<RoverCountyWindow>(state);
    m_surface = new QWidget(this);
    m_surface->setObjectName(QStringLiteral("surface"));
    setCentralWidget(m_surface);
    // Design size: the whole 9,600 twip width, the client area and menu bar
    // within the 7,200 twip height.
    platform::setWindowTwipSize(this, 9600, 6900);
}

MainWindowBase::~MainWindowBase() = default;

QLabel* MainWindowBase::makeLabel(const char* name, const QRectF& twips, const QString& caption,
                                  bool heading)
{
    auto* l = makeControl<platform::CaptionLabel>(m_surface, name, ControlKind::Label, twips,
                                  heading ? HeadingFont : LabelFont);
    l->setText(caption);
    if (heading) {
        paint(l, Navy, Qt::white);
        l->setAlignment(Qt::AlignCenter);
    }
    return l;
}

void MainWindowBase::buildFrame(const Layout& layout)
{
    buildControls(layout);
    buildMenus();
    wireEvents();
}

void MainWindowBase::buildControls(const Layout& L)
{
    QWidget* s = m_surface;
    // Contact list.
    lblRecentContacts = makeLabel("lblRecentContacts", {0, 0, 6375, 375},
                                  QStringLiteral("Recent Contacts"), true);
    cmdList = makeControl<platform::CaptionButton>(s, "cmdList", ControlKind::CommandButton,
                                       {5160, 80, 825, 240}, ButtonFont);
    cmdList->setText(QStringLiteral("Last 20"));
    cmdList->setToolTip(QStringLiteral("List all or last 20 contacts (Listing all will slow the program)"));
    contactListView = makeControl<QTableView>(s, "contactListView", ControlKind::ListView, {0, 480, 6375, 1935},
                                        ListFont);
    m_listModel = new app::ContactListModel(m_state.log.contacts, this);
    contactListView->setModel(m_listModel);
    // A report list: rows of one fixed height and no row headers, so that
    // all 11,000 contacts lay out as fast as twenty.
    contactListView->verticalHeader()->hide();
    contactListView->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // The rows and the headings follow the list's font, which the scaling
    // changes (the headings would otherwise keep a size of their own).
    contactListView->installEventFilter(new EventHook(this, QEvent::FontChange, [this] {
        contactListView->verticalHeader()->setDefaultSectionSize(QFontMetrics(contactListView->font()).height() + 2);
        contactListView->horizontalHeader()->setFont(contactListView->font());
    }));
    contactListView->verticalHeader()->setDefaultSectionSize(QFontMetrics(contactListView->font()).height() + 2);
    contactListView->setShowGrid(false);
    contactListView->setWordWrap(false);
    contactListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    contactListView->setSelectionMode(QAbstractItemView::SingleSelection);
    contactListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    contactListView->horizontalHeader()->setSectionsMovable(false);
    contactListView->horizontalHeader()->setStretchLastSection(false);
    contactListView->horizontalHeader()->setSectionsClickable(true);
    contactListView->horizontalHeader()->setHighlightSections(false);
    contactListView->setToolTip(QStringLiteral("Click record to edit or delete."));
    for (QPushButton** b : {&cmdEdit, &cmdDelete}) {
        const bool edit = b == &cmdEdit;
        *b = makeControl<platform::CaptionButton>(s, edit ? "cmdEdit" : "cmdDelete", ControlKind::CommandButton,
                                      {edit ? 2160.0 : 4200.0, 1440, 1215, 855}, ButtonFont);
        (*b)->setText(edit ? QStringLiteral("Edit Contact") : QStringLiteral("Delete Contact"));
        paint(*b, QColor(0, 192, 192));
        (*b)->hide();
    }

    // Score panel: seven rows of a caption and a value.
    lblScorStats = makeLabel("lblScorStats", {6480, 0, 2895, 375}, QStringLiteral("Score Statistics"), true);
    const char* valueNames[7] = {"lblTotCon", "lblSectogo", "qsoPointsLabel", "lblTotSec", "lblTotScore",
                                 "lblAQSO20", "lblAQSO60"};
    const char* captions[7] = {"Total PH Contacts ........", "Total CW Contacts ......",
                               "QSO Points ..................", "Total Multipliers ...........",
                               "Total Score..................", "QSOs / Hr (last 20 min)",
                               "QSOs / Hr (last 60 min)"};
    QLabel** values[7] = {&lblTotCon, &lblSectogo, &qsoPointsLabel, &lblTotSec, &lblTotScore, &lblAQSO20,
                          &lblAQSO60};
    const double step = (L.scoreLastTop - L.scoreFirstTop) / 6;
    for (int i = 0; i < 7; ++i) {
        const double top = L.scoreFirstTop + i * step;
        scoreCaptions[i] = makeLabel(L.scoreCaptionNames[i], {6480, top, 1935, 255},
                                     QString::fromLatin1(captions[i]));
        *values[i] = makeLabel(valueNames[i], {8400, top, 975, 255}, i < 5 ? QStringLiteral("0") : QString());
        (*values[i])->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }

    // Entry row.
    lblStation[0] = makeLabel("lblStation(0)", {0, 2520, 1135, 375}, QStringLiteral("  Call"), true);
    lblStation[1] = makeLabel("lblStation(1)", {1200, 2520, 1015, 375}, QStringLiteral("Serial"), true);
    lblStation[4] = makeLabel("lblStation(4)", L.countyHeading, QStringLiteral("County"), true);
    auto box = [&](QLineEdit** b, const char* name, const QRectF& r, int maxLength) {
        *b = makeControl<QLineEdit>(s, name, ControlKind::TextBox, r, EntryFont);
        (*b)->setMaxLength(maxLength);
    };
    box(&txtCall, "txtCall", {0, 2970, 1135, 375}, 12);
    box(&txtRSTR, "txtRSTR", {1200, 2970, 1015, 375}, L.serialMaxLength);
    box(&txtCntry, "txtCntry", L.txtCntry, 30);
    box(&txtSec, "txtSec", L.txtSec, 20);
    box(&txtRSTS, "txtRSTS", {0, 2970, 600, 375}, 3);
    txtRSTS->hide();
    newCountryLabel = makeLabel("newCountryLabel", L.newCountryLabel, QStringLiteral("New"));
    newCountryLabel->setStyleSheet(QStringLiteral("color: red;"));

    // Dialog and possible-duplicates lines.
    lblDialog = makeLabel("lblDialog", L.lblDialog, QString());
    paint(lblDialog, QColor(0, 192, 192));
    lblDialog->setWordWrap(true);
    lblDialog->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblPossDup = makeLabel("lblPossDup", L.lblPossDup,
                           m_kind == contactlog::WindowKind::InState ? QStringLiteral("   Possible Duplicates")
                                                                     : QStringLiteral("Possible Duplicates"),
                           true);
    cmdDup = makeControl<platform::CaptionButton>(s, "cmdDup", ControlKind::CommandButton, L.cmdDup, ButtonFont);
    cmdDup->setText(QStringLiteral("On"));
    cmdDup->setToolTip(QStringLiteral("Displaying partial dupes slows the program on older pc's."));
    lblDupe = makeLabel("lblDupe", L.lblDupe, QString());
    lblDupe->setWordWrap(true);
    lblDupe->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblDupe->setAutoFillBackground(true);

    // Multiplier lists, sorted by the list boxes themselves.
    firstMultiplierList = makeControl<QListWidget>(s, "firstMultiplierList", ControlKind::ListBox, L.firstMultiplierList, ListFont);
    countiesWorkedList = makeControl<QListWidget>(s, "countiesWorkedList", ControlKind::ListBox, L.countiesWorkedList, ListFont);
    lblStation[static_cast<std::size_t>(L.firstListHeadingIndex)] =
        makeLabel(QByteArray("lblStation(" + QByteArray::number(L.firstListHeadingIndex) + ")").constData(),
                  L.firstListHeading, QString(), true);
    lblStation[static_cast<std::size_t>(L.countiesWorkedListHeadingIndex)] =
        makeLabel(QByteArray("lblStation(" + QByteArray::number(L.countiesWorkedListHeadingIndex) + ")").constData(),
                  L.countiesWorkedListHeading, QString(), true);
    multiplierListsLine = new platform::LineControl(s);
    multiplierListsLine->setObjectName(QStringLiteral("multiplierListsLine"));
    multiplierListsLine->setLine(0, L.multiplierListsLineY, 9600, L.multiplierListsLineY);

    // Post-contest boxes, hidden until the menu item shows them.
    lblPostConDate = makeLabel("lblPostConDate", L.lblPostConDate, QStringLiteral("Date"));
    box(&txtPostConDate, "txtPostConDate", L.txtPostConDate, 10);
    lblPostConTime = makeLabel("lblPostConTime", L.lblPostConTime, QStringLiteral("Time"));
    box(&txtPostConTime, "txtPostConTime", L.txtPostConTime, 5);
    for (QWidget* w : {static_cast<QWidget*>(lblPostConDate), static_cast<QWidget*>(txtPostConDate),
                       static_cast<QWidget*>(lblPostConTime), static_cast<QWidget*>(txtPostConTime)})
        w->hide();

    // Spot displays, hidden until the spotting display lays them out.
    txtDX = makeControl<QTreeView>(s, "txtDX", ControlKind::ListView, {0, 480, 6375, 1935}, ListFont);
    txtDX->setRootIsDecorated(false);
    txtDX->setUniformRowHeights(true);
    txtDX->setModel(new QStandardItemModel(0, 8, txtDX));
    txtDX->hide();
    // The band map: a dark panel behind its scale line, the scale's five
    // captions and one label for each slot of the spot store.
    lblDX = makeLabel("lblDX", {0, 480, 6375, 1935}, QString());
    paint(lblDX, Navy);
    lblDX->hide();
    LineDX = new platform::LineControl(s);
    LineDX->setObjectName(QStringLiteral("LineDX"));
    LineDX->setColor(Qt::white);
    LineDX->hide();
    for (int i = 0; i < 5; ++i) {
        QLabel* l = makeLabel(QByteArray("lblFreqSpot(" + QByteArray::number(i) + ")").constData(),
                              {i * 1275.0, 2160, 615, 255}, QString());
        paint(l, Navy, Qt::white);
        l->setAlignment(Qt::AlignCenter);
        l->hide();
        lblFreqSpot[static_cast<std::size_t>(i)] = l;
    }
    for (int i = 0; i < 50; ++i) {
        QLabel* l = makeLabel(QByteArray("lblDXSpot(" + QByteArray::number(i) + ")").constData(),
                              {0, 1000, 600, 255}, QString());
        paint(l, Navy, Qt::white);
        l->setAlignment(Qt::AlignCenter);
        l->hide();
        lblDXSpot[static_cast<std::size_t>(i)] = l;
    }

    // Status row.
    operatingTimeHeading = makeLabel("operatingTimeHeading", L.operatingTimeHeading,
                        m_kind == contactlog::WindowKind::InState ? QStringLiteral(" Oper Time")
                                                                  : QStringLiteral("Operating Time"));
    lblttrack = makeLabel("lblttrack", L.lblttrack, QStringLiteral("00:00:00"));
    lblttrack->setAlignment(Qt::AlignCenter);
    cmdLogOn = makeControl<platform::CaptionButton>(s, "cmdLogOn", ControlKind::CommandButton, L.cmdLogOn, ButtonFont);
    cmdLogOn->setText(QStringLiteral("&Log \"Time On\""));
    cmdLogOn->setToolTip(QStringLiteral("Records On/Off times and controls duration clock."));
    bandHeading = makeLabel("bandHeading", L.bandHeading, QStringLiteral("Band"));
    for (QLabel* heading : {operatingTimeHeading, bandHeading})
        platform::setFontSpec(heading, FontSpec{});
    bandLabel = makeLabel("bandLabel", L.bandLabel, QStringLiteral("160"), true);
    lblBandSwitch = makeLabel("lblBandSwitch", L.lblBandSwitch, QStringLiteral("Mode"));
    platform::setFontSpec(lblBandSwitch, FontSpec{});
    modeLabel = makeLabel("modeLabel", L.modeLabel, QStringLiteral("CW"), true);
    modeLabel->setToolTip(QStringLiteral("Click to change modes."));
    ownCallLabel = makeLabel("ownCallLabel", L.ownCallLabel, QStringLiteral("CALL"), true);
    nextSerialLabel = makeLabel("nextSerialLabel", L.nextSerialLabel, QStringLiteral("1"), true);
    ownLocationLabel = makeLabel("ownLocationLabel", L.ownLocationLabel,
                        m_kind == contactlog::WindowKind::InState ? QStringLiteral("County")
                                                                  : QStringLiteral("SPC"),
                        true);
    lblCurTime = makeLabel("lblCurTime", {8280, L.clockTop, 900, 255}, QStringLiteral("Reg Time"));
    amPmLabel = makeLabel("amPmLabel", {9180, L.clockTop, 360, 255}, QStringLiteral("am"));
    lblutctime = makeLabel("lblutctime", {8280, L.clockTop + 270, 900, 255}, QStringLiteral("UTC TIME"));
    utcHeading = makeLabel("utcHeading", {9180, L.clockTop + 270, 360, 255}, QStringLiteral("UTC"));
    const char* geoNames[3] = {"continentHeading", "bearingHeading", "distanceHeading"};
    const char* geoCaptions[3] = {"Con", "Bearing", "Miles"};
    for (int i = 0; i < 3; ++i)
        geoHeadings[static_cast<std::size_t>(i)] =
            makeLabel(geoNames[i], L.geoHeadings[static_cast<std::size_t>(i)], QString::fromLatin1(geoCaptions[i]));
    continentLabel = makeLabel("continentLabel", L.continentLabel, QString());
    bearingLabel = makeLabel("bearingLabel", L.bearingLabel, QString());
    distanceLabel = makeLabel("distanceLabel", L.distanceLabel, QString());
    if (!L.geoShown)
        for (QLabel* l : {geoHeadings[0], geoHeadings[1], geoHeadings[2], continentLabel, bearingLabel, distanceLabel})
            l->hide();

    rateTimer = new QTimer(this);
    rateTimer->setObjectName(QStringLiteral("rateTimer"));
    rateTimer->setInterval(60000);
    clockTimer = new QTimer(this);
    clockTimer->setObjectName(QStringLiteral("clockTimer"));
    clockTimer->setInterval(1000);

    // Tab moves among the entry boxes only; the buttons and lists take the
    // focus by mouse, so Space and Enter keep logging from the keyboard.
    for (QWidget* w : m_surface->findChildren<QWidget*>())
        if (!qobject_cast<QLineEdit*>(w) && w->focusPolicy() != Qt::NoFocus)
            w->setFocusPolicy(Qt::ClickFocus);
    for (QPushButton* b : m_surface->findChildren<QPushButton*>())
        b->setFocusPolicy(Qt::NoFocus);
    setTabOrder(txtCall, txtRSTR);
    setTabOrder(txtRSTR, txtCntry);
    setTabOrder(txtCntry, txtSec);
    setTabOrder(txtSec, txtPostConTime);
    setTabOrder(txtPostConTime, txtPostConDate);
    setTabOrder(txtPostConDate, txtRSTS);
}

void MainWindowBase::wireEvents()
{
    using app::MenuWindow;
    connect(mnuNew, &QAction::triggered, this, [this] { onNewLogClicked(); });
    connect(mnuArchive, &QAction::triggered, this, [this] { onArchiveClicked(); });
    connect(mnuRestore, &QAction::triggered, this, [this] { onRestoreClicked(); });
    connect(mnuExit, &QAction::triggered, this, [this] { onExitClicked(); });
    const std::pair<QAction*, MenuWindow> opened[] = {
        {mnuWriteSumm, MenuWindow::WriteSubmission},   {mnuexportADIF, MenuWindow::ExportAdif},
        {mnuDaybookImport, MenuWindow::ExportDaybook}, {mnuCopyListtoClipboard, MenuWindow::CopyListToClipboard},
        {mnuCW, MenuWindow::CwSetup},                  {mnuVoice, MenuWindow::VoiceSetup},
        {mnuRigInterface, MenuWindow::RigInterface},   {mnuDXSpotting, MenuWindow::DxSpotting},
        {mnuSpectrumMap, MenuWindow::SpectrumMap},     {mnuBlind, MenuWindow::VoiceNavigation},
        {mnuPrivileges, MenuWindow::Privileges},       {mnuMap, MenuWindow::CountyMap},
        {mnuGraph, MenuWindow::Graph},                 {mnuCountyList, MenuWindow::CountyList},
    };
    for (const auto& [action, which] : opened)
        connect(action, &QAction::triggered, this, [this, which = which] { openMenuWindow(which); });
    connect(mnuFormSize, &QAction::triggered, this, [this] { onFormSizeClicked(); });
    connect(mnuTaskbar, &QAction::triggered, this, [this] { onTaskbarClicked(); });
    connect(mnuColors, &QAction::triggered, this, [this] { onColorsClicked(); });
    if (mnuChangeCounty)
        connect(mnuChangeCounty, &QAction::triggered, this, [this] { onChangeCountyClicked(); });
    connect(mnuHelp, &QAction::triggered, this, [this] { onHelpClicked(); });
    connect(mnuListPrevious, &QAction::triggered, this, [this] { onListPreviousClicked(); });
    connect(mnuPostContest, &QAction::triggered, this, [this] { onPostContestClicked(); });
    void (MainWindowBase::*bandHandlers[8])() = {
        &MainWindowBase::onBand160Clicked, &MainWindowBase::onBand80Clicked,
        &MainWindowBase::onBand40Clicked,  &MainWindowBase::onBand20Clicked,
        &MainWindowBase::onBand15Clicked,  &MainWindowBase::onBand10Clicked,
        &MainWindowBase::onBand6Clicked,   &MainWindowBase::onBand2Clicked};
    for (int i = 0; i < 8; ++i)
        connect(bandItems[static_cast<std::size_t>(i)], &QAction::triggered, this,
                [this, h = bandHandlers[i]] { (this->*h)(); });
    connect(mnu160, &QAction::triggered, this, [this] { onCwModeClicked(); });
    connect(mnuSSB, &QAction::triggered, this, [this] { onPhoneModeClicked(); });
    connect(mnuClear, &QAction::triggered, this, [this] { onClearClicked(); });
    connect(mnuRecall, &QAction::triggered, this, [this] { onRecallClicked(); });

    connect(cmdList, &QPushButton::clicked, this, [this] { onListLengthClicked(); });
    connect(cmdDup, &QPushButton::clicked, this, [this] { onPartialDupesClicked(); });
    connect(cmdEdit, &QPushButton::clicked, this, [this] { onEditClicked(); });
    connect(cmdDelete, &QPushButton::clicked, this, [this] { onDeleteClicked(); });
    connect(cmdLogOn, &QPushButton::clicked, this, [this] { onTimeOnClicked(); });
    connect(contactListView->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int column) { onContactListColumnClicked(column); });
    contactListView->viewport()->installEventFilter(new ClickFilter(this, [this](Qt::MouseButton b) {
        if (b == Qt::LeftButton)
            onContactListClicked();
        onContactListMouseUp(b == Qt::RightButton ? 2 : b == Qt::LeftButton ? 1 : 4);
    }));
    bandLabel->installEventFilter(new ClickFilter(this, [this](Qt::MouseButton b) {
        if (b == Qt::LeftButton)
            onBandClicked();
    }));
    modeLabel->installEventFilter(new ClickFilter(this, [this](Qt::MouseButton b) {
        if (b == Qt::LeftButton)
            onModeClicked();
    }));

    connect(txtCall, &QLineEdit::textChanged, this, [this] { onCallChanged(); });
    connect(txtRSTS, &QLineEdit::textChanged, this, [this] { onRstSentChanged(); });
    connect(rateTimer, &QTimer::timeout, this, [this] { onRateTick(); });
    connect(clockTimer, &QTimer::timeout, this, [this] { onClockTick(); });

    // Only a move over the window's own surface counts, not one over a
    // control that passes its move on to the surface.
    m_surface->setMouseTracking(true);
    m_surface->installEventFilter(new SurfaceMoveFilter(this, m_surface, [this] { onMouseMove(); }));

    wireSpotEvents();

    m_keys = new platform::KeyRouter(this);
    m_keys->setFormKeyDown([this](int& KeyCode, int Shift) { onKeyDown(KeyCode, Shift); });
    m_keys->setFormKeyPress([this](int& KeyAscii) { onKeyPress(KeyAscii); });
    m_keys->onKeyPress(txtCall, [this](int& k) { onCallKeyPress(k); });
    m_keys->onKeyPress(txtRSTR, [this](int& k) { onSerialKeyPress(k); });
    m_keys->onKeyPress(txtSec, [this](int& k) { onCountyKeyPress(k); });
    m_keys->onKeyPress(txtPostConDate, [this](int& k) { onPostContestDateKeyPress(k); });
    m_keys->onKeyPress(txtPostConTime, [this](int& k) { onPostContestTimeKeyPress(k); });
    // A paste, a drop or a middle click gives each box what typing the same
    // characters gives it; the window drops both quotes from every key.
    platform::filterPastes(txtCall, contactlog::CallBoxKey);
    platform::filterPastes(txtRSTR, contactlog::SerialBoxKey);
    platform::filterPastes(txtSec, [](int& k, QString& before) { contactlog::CountyBoxKey(k, before); });
    platform::filterPastes(txtPostConDate, [](int& k) {
        if (!contactlog::postContestDateKeyAllowed(k))
            k = 0;
    });
    platform::filterPastes(txtPostConTime, [](int& k) {
        if (!contactlog::postContestTimeKeyAllowed(k))
            k = 0;
    });
    m_keys->onGotFocus(txtCall, [this] { onCallGotFocus(); });
    m_keys->onLostFocus(txtCall, [this] { onCallLostFocus(); });
    m_keys->onGotFocus(txtRSTR, [this] { onSerialGotFocus(); });
    m_keys->onGotFocus(txtSec, [this] { onCountyGotFocus(); });
    m_keys->onGotFocus(txtPostConDate, [this] { onPostContestDateGotFocus(); });
    m_keys->onGotFocus(txtPostConTime, [this] { onPostContestTimeGotFocus(); });
    m_keys->onLostFocus(contactListView, [this] { onContactListLostFocus(); });
}

void MainWindowBase::finishWiring() { m_keys->attachAll(); }

std::vector<QWidget*> MainWindowBase::sameHeightLists() const { return {countiesWorkedList}; }
