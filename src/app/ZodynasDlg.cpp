// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/ZodynasDlg.h"

#include "app/TimerSet.h"
#include "app/ZodynasApp.h"
#include "desktop/BitmapButton.h"
#include "desktop/BitmapIds.h"
#include "desktop/QtText.h"
#include "desktop/SplashDlg.h"
#include "desktop/TempFolder.h"
#include "desktop/WebBrowser2.h"
#include "lists/ListStyle.h"
#include "lists/VListBox.h"
#include "lists/VListBoxHistory.h"
#include "lists/WordEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMoveEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSocketNotifier>
#include <QUrl>
#include <QWindow>

#include <utility>

#include <unistd.h>

namespace {

using QtText::FromCp1257;

constexpr const char* kCaptionAbout = "Apie";
// "Išvalyti sąrašą" with its access key, and the tooltips, in code page 1257.
constexpr const char* kClearText = "&I\xF0valyti s\xE0ra\xF0\xE0";

struct STooltip {
    int id;
    const char* text;
};
constexpr STooltip kTooltips[] = {
    {IDC_ENGLISH, "Angli\xF0kas indeksas"},
    {IDC_LITHUANIAN, "Lietuvi\xF0kas indeksas"},
    {IDC_HISTORY, "Praeitis"},
    {IDC_ALWAYSONTOP, "Visada vir\xF0uje"},
    {IDC_PRINT, "Spausdinti"},
    {IDC_HELP, "Pagalba"},
    {IDCANCEL, "Baigti"},
    {IDC_CLEARHISTORY, "I\xF0valyti s\xE0ra\xF0\xE0"},
};

} // namespace

CZodynasDlg::CZodynasDlg(CZodynasApp& app, QWidget* parent)
    : QDialog(parent), m_app(app), m_timers(std::make_unique<CTimerSet>([this](int id) { OnTimer(id); })) {
    setObjectName("LEKSTAR");
    setSizeGripEnabled(false);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
}

CZodynasDlg::~CZodynasDlg() {
    JoinFormsLoaders();
    m_dict.Close();
}

bool CZodynasDlg::OnInitDialog() {
    // Page files a killed run left behind; one window per user means none of them is in use.
    CTempFolder::DeleteMatching("ZOD*.*");
    LoadSettings();
    CreateChildren();
    BuildSystemMenu();

    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect screenRect = screen != nullptr ? screen->geometry() : QRect(0, 0, 1024, 768);
    if (!m_app.m_bStartedByOle)
        ShowSplash(screenRect);

    setWindowTitle("LEKSTAR");
    m_nButtonSize = m_app.IsLargeLayout() ? 44 : 32;
    setWindowIcon(QIcon(":/icons/128/256.png"));

    if (!OpenDictionary())
        return false;
    AddTooltips();
    SetUpLayout(screenRect.height());

    if (!m_app.m_bStartedByOle && m_strLastWord.empty())
        m_browser->Navigate(g_strAppDir + (screenRect.width() > 800 ? "/HTM/Apie.htm" : "/HTM/Apie_s.htm"));
    PlaceWindow(screenRect);
    SetIndexButtonBitmaps();
    SetAlwaysOnTopBitmaps();
    SetHistoryBitmaps();
    SetFixedBitmaps();

    if (!m_app.m_bStartedByOle) {
        if (!m_strLastWord.empty())
            ShowSavedWord();
        SetTimer(TIMER_SPLASH, 150);
        if (m_bAlwaysOnTop)
            SetTimer(TIMER_CLIPBOARD, 200);
    }

    m_editWord->setFocus();
    m_activeList = EWordList::Index;
    return true;
}

void CZodynasDlg::ShowSplash(const QRect& screenRect) {
    m_splash = std::make_unique<CSplashDlg>();
    m_splash->Initialise(m_app.IsHighColour());
    m_splash->PlaceCentred(screenRect);
    m_splash->show();
    m_splash->repaint();
}

bool CZodynasDlg::OpenDictionary() {
    m_dict.SetPath(g_strAppDir + "/LEKSTAR.dic");
    if (m_dict.Open() < CDictFile::kOpenFileFailed) {
        // A file cut short under the window is said at once, whatever read found it.
        const int fd = CMappedFile::VanishedFd();
        if (fd >= 0 && m_pVanishedNotifier == nullptr) {
            m_pVanishedNotifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
            connect(m_pVanishedNotifier, &QSocketNotifier::activated, this, [this, fd] {
                char byte = 0;
                while (::read(fd, &byte, 1) == 1) {
                }
                if (m_dict.HasVanished())
                    OnDictionaryVanished();
            });
        }
        return true;
    }
    RemoveSplash();
    MessageBox("\nLEKSTAR\nNeatsidaro \xFEodyno failas:\n" + QtText::PathText(m_dict.Path()),
               QMessageBox::Critical);
    return false;
}

void CZodynasDlg::OnDictionaryVanished() {
    if (m_bDictionaryGone)
        return;
    m_bDictionaryGone = true;
    KillTimer(TIMER_CLIPBOARD);
    // Settings saved and pages swept before the message, which may stay unanswered.
    ExitRoutine();
    MessageBox("\nLEKSTAR\nNeatsidaro \xFEodyno failas:\n" + QtText::PathText(m_dict.Path()),
               QMessageBox::Critical);
    QDialog::done(QDialog::Rejected);
}

void CZodynasDlg::SetUpLayout(int vertRes) {
    m_layoutValues = MakeLayoutValues(m_app.IsLargeLayout());
    m_nPrevWidth = 0;
    m_nPrevHeight = 0;
    CreateLists();
    Layout(width(), height());

    // The history column takes room only on a tall screen or once a word was saved.
    if (!KeepsHistoryAtStart(vertRes, !m_strLastWord.empty()))
        m_bShowHistory = 0;
    if (m_bShowHistory)
        m_btnClear->setText(FromCp1257(kClearText));
    m_btnClear->setVisible(m_bShowHistory != 0);
    m_listHistory->setVisible(m_bShowHistory != 0);
    m_pShowHistoryAction->setChecked(m_bShowHistory != 0);
    m_nPrevWidth = 0;
    m_nPrevHeight = 0;
    Layout(width(), height());

    m_strCaption = kCaptionAbout;
    m_btnOk->hide();
    m_bLayoutReady = 1;
}

void CZodynasDlg::PlaceWindow(const QRect& screenRect) {
    std::vector<QRect> screens;
    for (const QScreen* s : QGuiApplication::screens())
        screens.push_back(s->geometry());
    const SStoredPlacement stored{m_nPosX, m_nPosY, m_nSizeX, m_nSizeY, !m_strLastWord.empty()};
    const QRect frame = StartFrame(stored, screenRect, screens);
    setWindowFlag(Qt::WindowStaysOnTopHint, m_bAlwaysOnTop != 0);
    // The settings hold the outer rectangle. move() places a window's frame; the inner size is
    // known only once the window manager has framed the window, and is set then (FitStartFrame).
    resize(frame.size());
    move(frame.topLeft());
    m_rcStartFrame = frame;
    show();
    FitStartFrame();
    // Without a window manager to keep it on top, the splash must be raised over the window.
    if (m_splash)
        m_splash->raise();
}

void CZodynasDlg::CreateButtons() {
    const bool bDark = SListStyle::IsDarkPalette(QGuiApplication::palette());
    const auto button = [this, bDark](CBitmapButton*& member, int id, const char* name) {
        member = new CBitmapButton(this);
        member->SetDarkPictures(bDark);
        member->setObjectName(name);
        member->setProperty("controlId", id);
        member->setFocusPolicy(Qt::NoFocus);
    };
    button(m_btnExit, IDCANCEL, "IDCANCEL");
    button(m_btnClear, IDC_CLEARHISTORY, "IDC_CLEARHISTORY");
    button(m_btnHistory, IDC_HISTORY, "IDC_HISTORY");
    button(m_btnAlwaysOnTop, IDC_ALWAYSONTOP, "IDC_ALWAYSONTOP");
    button(m_btnPrint, IDC_PRINT, "IDC_PRINT");
    button(m_btnHelp, IDC_HELP, "IDC_HELP");
    button(m_btnEnglish, IDC_ENGLISH, "IDC_ENGLISH");
    button(m_btnLithuanian, IDC_LITHUANIAN, "IDC_LITHUANIAN");
}

void CZodynasDlg::CreateChildren() {
    m_browser = new CWebBrowser2(this);
    m_browser->setObjectName("IDC_BROWSER");
    m_browser->setAccessibleName(FromCp1257("Vertimas"));
    m_editWord = new CWordEdit(this, this);
    m_editWord->setObjectName("IDC_WORD");
    m_editWord->setAccessibleName(FromCp1257("\xDEodis"));
    m_editWord->SetStyle(m_app.ListStyle());
    // The Menu key opens the window menu wherever the focus is.
    m_editWord->installEventFilter(this);
    m_btnOk = new QPushButton("OK", this);
    m_btnOk->setObjectName("IDOK");
    m_btnOk->setAutoDefault(false);
    // Only the entry box and the shown history are tab stops; the page takes the focus on a click
    // only, so that its text can be selected and copied.
    m_btnOk->setFocusPolicy(Qt::NoFocus);
    m_browser->setFocusPolicy(Qt::ClickFocus);

    CreateButtons();

    connect(m_btnExit, &QAbstractButton::clicked, this, &CZodynasDlg::OnCancel);
    connect(m_btnClear, &QAbstractButton::clicked, this, [this] {
        ClearHistory();
        m_listHistory->Repaint();
    });
    connect(m_btnEnglish, &QAbstractButton::clicked, this, [this] { SwitchDirection(EDirection::Forward); });
    connect(m_btnLithuanian, &QAbstractButton::clicked, this,
            [this] { SwitchDirection(EDirection::Reverse); });
    // A changed clipboard is fetched at the next tick of the watch, an unchanged one never.
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            [this] { m_clipboard.MarkChanged(); });
    connect(QGuiApplication::clipboard(), &QClipboard::selectionChanged, this, [this] {
        if (!QGuiApplication::clipboard()->ownsSelection())
            m_clipboard.MarkSelectionChanged();
    });
    m_browser->m_fnBeforeNavigate2 = [this](const std::string& url, bool& bCancel) {
        OnBeforeNavigate2(url, bCancel);
    };
    AddShortcuts();
    // Letters typed while the page has the focus go on into the entry box, as in a browser.
    m_browser->installEventFilter(this);
    connect(m_btnHistory, &QAbstractButton::clicked, this, &CZodynasDlg::ToggleHistory);
    connect(m_btnAlwaysOnTop, &QAbstractButton::clicked, this, &CZodynasDlg::ToggleAlwaysOnTop);
    connect(m_btnPrint, &QAbstractButton::clicked, this, &CZodynasDlg::PrintPage);
    connect(m_btnHelp, &QAbstractButton::clicked, this, &CZodynasDlg::ShowHelp);
}

void CZodynasDlg::BuildSystemMenu() {
    m_pSystemMenu = new QMenu(this);
    m_pSystemMenu->setObjectName("SystemMenu");
    m_pSystemMenu->addSeparator();
    m_pSystemMenu->addAction("About...", this, [this] { OnSysCommand(IDM_ABOUTBOX); });
    m_pShowHistoryAction =
        m_pSystemMenu->addAction("&Show history", this, [this] { OnSysCommand(IDM_SHOWHISTORY); });
    m_pShowHistoryAction->setCheckable(true);
    m_pShowHistoryAction->setChecked(m_bShowHistory != 0);
    m_pAlwaysOnTopAction =
        m_pSystemMenu->addAction("&Allways on top", this, [this] { OnSysCommand(IDM_ALWAYSONTOP); });
    m_pAlwaysOnTopAction->setCheckable(true);
    m_pAlwaysOnTopAction->setChecked(m_bAlwaysOnTop != 0);
    m_pSelectionAction = m_pSystemMenu->addAction(FromCp1257("\xDEym\xEBjimas"), this,
                                                  [this] { OnSysCommand(IDM_SELECTION); });
    m_pSelectionAction->setCheckable(true);
    m_pSelectionAction->setChecked(m_bSelection != 0);
    // Where the platform keeps no selection (a Wayland compositor without the protocol) there
    // is nothing to switch; the stored choice stays for the next desktop.
    const QClipboard* clipboard = QGuiApplication::clipboard();
    m_pSelectionAction->setEnabled(clipboard != nullptr && clipboard->supportsSelection());
    m_pWordFormsAction = m_pSystemMenu->addAction(FromCp1257("&\xDEod\xFEi\xF8 formos"), this,
                                                  [this] { OnSysCommand(IDM_WORDFORMS); });
    m_pWordFormsAction->setCheckable(true);
    m_pWordFormsAction->setChecked(m_bWordForms != 0);
    m_pSystemMenu->addSeparator();
    m_pSystemMenu->addAction("&Print", this, [this] { OnSysCommand(IDM_PRINT); });
    // The check marks follow the states, not the clicks on the entries themselves.
    for (QAction* a : {m_pShowHistoryAction, m_pAlwaysOnTopAction, m_pSelectionAction, m_pWordFormsAction})
        connect(a, &QAction::triggered, this, [this] {
            m_pShowHistoryAction->setChecked(m_bShowHistory != 0);
            m_pAlwaysOnTopAction->setChecked(m_bAlwaysOnTop != 0);
            m_pSelectionAction->setChecked(m_bSelection != 0);
            m_pWordFormsAction->setChecked(m_bWordForms != 0);
        });
}

void CZodynasDlg::AddTooltips() {
    for (const STooltip& t : kTooltips) {
        for (QAbstractButton* b :
             {static_cast<QAbstractButton*>(m_btnEnglish), static_cast<QAbstractButton*>(m_btnLithuanian),
              static_cast<QAbstractButton*>(m_btnHistory), static_cast<QAbstractButton*>(m_btnAlwaysOnTop),
              static_cast<QAbstractButton*>(m_btnPrint), static_cast<QAbstractButton*>(m_btnHelp),
              static_cast<QAbstractButton*>(m_btnExit), static_cast<QAbstractButton*>(m_btnClear)})
            if (b->property("controlId").toInt() == t.id) {
                // A picture alone says nothing to a screen reader: the tooltip is the name too.
                b->setToolTip(FromCp1257(t.text));
                b->setAccessibleName(FromCp1257(t.text));
                b->setAccessibleDescription(FromCp1257(t.text));
            }
    }
}

void CZodynasDlg::LoadSettings() {
    SSettings s;
    ::LoadSettings(s);
    m_bAlwaysOnTop = s.bAlwaysOnTop;
    m_bShowHistory = s.bShowHistory;
    m_bSelection = s.bSelection;
    m_bWordForms = s.bWordForms;
    // Any stored direction but English selects the Lithuanian index.
    m_direction = s.nDirection != 0 ? EDirection::Reverse : EDirection::Forward;
    m_nPosX = s.nPosX;
    m_nPosY = s.nPosY;
    m_nSizeX = s.nSizeX;
    m_nSizeY = s.nSizeY;
    m_strLastWord = s.strLastWord;
}

void CZodynasDlg::SaveSettings() {
    SSettings s;
    s.bAlwaysOnTop = m_bAlwaysOnTop;
    s.bShowHistory = m_bShowHistory;
    s.bSelection = m_bSelection;
    s.bWordForms = m_bWordForms;
    s.nDirection = IsReverse() ? 1 : 0;
    s.strLastWord = m_strLastWord;
    ::SaveSettings(s, frameGeometry(), m_editWord->Word());
    m_strLastWord = s.strLastWord;
}

void CZodynasDlg::RemoveSplash() {
    if (!m_splash)
        return;
    m_splash->DestroyPicture();
    m_splash->hide();
    m_splash.reset();
}

void CZodynasDlg::MessageBox(const std::string& text, QMessageBox::Icon icon) {
    if (m_fnMessageBox) {
        m_fnMessageBox(text, icon);
        return;
    }
    QMessageBox box(icon, "LEKSTAR", FromCp1257(text), QMessageBox::Ok, isVisible() ? this : nullptr);
    box.exec();
}

bool CZodynasDlg::OpenUrl(const QUrl& url) {
    return m_fnOpenUrl ? m_fnOpenUrl(url) : QDesktopServices::openUrl(url);
}

int CZodynasDlg::BitmapId(const BitmapIds::SVariants& variants) const {
    return variants.Pick(m_app.IsLargeLayout(), m_app.IsHighColour());
}

int CZodynasDlg::SelectedBitmapId() const {
    return BitmapId(BitmapIds::kPressed);
}

void CZodynasDlg::SetIndexButtonBitmaps() {
    using namespace BitmapIds;
    m_btnEnglish->LoadBitmaps(IsReverse() ? kEnglishInactive : kEnglishActive, 0);
    m_btnLithuanian->LoadBitmaps(IsReverse() ? kLithuanianActive : kLithuanianInactive, 0);
}

void CZodynasDlg::SetAlwaysOnTopBitmaps() {
    m_btnAlwaysOnTop->LoadBitmaps(
        BitmapId(m_bAlwaysOnTop ? BitmapIds::kAlwaysOnTopOn : BitmapIds::kAlwaysOnTopOff),
        SelectedBitmapId());
}

void CZodynasDlg::SetHistoryBitmaps() {
    m_btnHistory->LoadBitmaps(BitmapId(m_bShowHistory ? BitmapIds::kHistoryShown : BitmapIds::kHistoryHidden),
                              SelectedBitmapId());
}

void CZodynasDlg::SetFixedBitmaps() {
    m_btnExit->LoadBitmaps(BitmapId(BitmapIds::kExit), SelectedBitmapId());
    m_btnPrint->LoadBitmaps(BitmapId(BitmapIds::kPrint), SelectedBitmapId());
    m_btnHelp->LoadBitmaps(BitmapId(BitmapIds::kHelp), SelectedBitmapId());
    m_btnClear->LoadBitmaps(BitmapId(BitmapIds::kClearHistory), SelectedBitmapId());
}

void CZodynasDlg::SetTopmost(bool bTopmost) {
    const Qt::WindowFlags flags = windowFlags().setFlag(Qt::WindowStaysOnTopHint, bTopmost);
    QWindow* window = windowHandle();
    if (window == nullptr) {
        setWindowFlags(flags);
        return;
    }
    // Changing the widget's flags would hide the window, and a hidden dialog ends its modal loop:
    // the window system is told directly and the widget only records the new flags.
    overrideWindowFlags(flags);
    window->setFlags(flags);
}

void CZodynasDlg::ToggleAlwaysOnTop() {
    if (m_bAlwaysOnTop) {
        m_bAlwaysOnTop = 0;
        SetAlwaysOnTopBitmaps();
        SetTopmost(false);
        KillTimer(TIMER_CLIPBOARD);
    } else {
        m_bAlwaysOnTop = 1;
        SetAlwaysOnTopBitmaps();
        SetTopmost(true);
        SetTimer(TIMER_CLIPBOARD, 333);
    }
    m_pAlwaysOnTopAction->setChecked(m_bAlwaysOnTop != 0);
    m_btnAlwaysOnTop->repaint();
}

void CZodynasDlg::ToggleSelection() {
    m_bSelection = m_bSelection ? 0 : 1;
    m_pSelectionAction->setChecked(m_bSelection != 0);
}

void CZodynasDlg::ToggleWordForms() {
    m_bWordForms = m_bWordForms ? 0 : 1;
    m_pWordFormsAction->setChecked(m_bWordForms != 0);
    StartFormsLoad();
}

void CZodynasDlg::ToggleHistory() {
    m_bShowHistory = m_bShowHistory ? 0 : 1;
    m_pShowHistoryAction->setChecked(m_bShowHistory != 0);
    if (m_bShowHistory)
        m_btnClear->setText(FromCp1257(kClearText));
    m_btnClear->setVisible(m_bShowHistory != 0);
    m_listHistory->setVisible(m_bShowHistory != 0);
    SetHistoryBitmaps();
    OnSize(width(), height());
    m_btnHistory->repaint();
}

void CZodynasDlg::PrintPage() {
    if (m_browser->HasDocument())
        m_browser->PrintWithDialog(this);
}

void CZodynasDlg::ShowHelp() {
    // A compiled help file beside the program wins; otherwise the help page of the HTM folder.
    const QString chm = QString::fromStdString(g_strAppDir + "/Lekstar.chm");
    const QString page = QString::fromStdString(g_strAppDir + "/HTM/Pagalba.htm");
    OpenUrl(QUrl::fromLocalFile(QFileInfo::exists(chm) ? chm : page));
}

std::string CZodynasDlg::AboutText() {
    char version[64];
    std::snprintf(version, sizeof version, "Versija %d.%d.%d.%d", LEKSTAR_VERSION_MAJOR,
                  LEKSTAR_VERSION_MINOR, LEKSTAR_VERSION_PATCH, 0);
    return std::string("\nLEKSTAR\n"
                       "K\xE6stu\xE8io Bili\xFBno ir FreeDict projekto\n"
                       "Angl\xF8-lietuvi\xF8 kalb\xF8 kompiuterinis \xFEodynas\n\n") +
           version +
           "\n\n"
           "\xA9 2005\x96"
           "2010 K\xE6stutis Bili\xFBnas (\xFEodyno duomenys)\n"
           "\xA9 2007\x96"
           "2017 Atviras Kodas Lietuvai ir FreeDict (GNU GPL 2+)\n"
           "\xA9 2026 LEKSTAR k\xFBr\xEBjai (programa, GNU GPL 2+)";
}

void CZodynasDlg::ShowAbout() {
    MessageBox(AboutText(), QMessageBox::Information);
}

void CZodynasDlg::OnSysCommand(int id) {
    if ((id & 0xFFF0) == IDM_ABOUTBOX)
        ShowAbout();
    else if (id == IDM_SHOWHISTORY)
        ToggleHistory();
    else if (id == IDM_ALWAYSONTOP)
        ToggleAlwaysOnTop();
    else if (id == IDM_PRINT)
        PrintPage();
    else if (id == IDM_SELECTION)
        ToggleSelection();
    else if (id == IDM_WORDFORMS)
        ToggleWordForms();
}

void CZodynasDlg::OnCancel() {
    ExitRoutine();
    QDialog::done(QDialog::Rejected);
}

void CZodynasDlg::ExitRoutine() {
    // From here the window is on its way out: automation calls find no window and write nothing.
    m_bClosing = true;
    SaveSettings();
    if (m_bShowHistory)
        ClearHistory();
    CTempFolder::DeleteMatching("ZOD*.*");
}

void CZodynasDlg::OnSize(int cx, int cy) {
    const QSize clamped = ClampClientSize(cx, cy);
    if (m_bLayoutReady)
        Layout(clamped.width(), clamped.height());
    m_nPrevHeight = clamped.height();
    m_nPrevWidth = clamped.width();
}

void CZodynasDlg::Layout(int cx, int cy) {
    SLayoutInput in{};
    in.cx = cx;
    in.cy = cy;
    in.nDirection = IsReverse() ? 1 : 0;
    in.bShowHistory = m_bShowHistory != 0;
    in.nPrevWidth = m_nPrevWidth;
    in.nPrevHeight = m_nPrevHeight;
    in.lastBrowser = m_layout.browser;
    m_layout = ComputeLayout(m_layoutValues, in);

    const int b = m_nButtonSize;
    m_btnEnglish->setGeometry(m_layout.englishButton);
    m_btnLithuanian->setGeometry(m_layout.lithuanianButton);
    m_editWord->setGeometry(m_layout.edit);
    CBitmapButton* const row[5] = {m_btnAlwaysOnTop, m_btnHistory, m_btnPrint, m_btnExit, m_btnHelp};
    for (int k = 0; k < 5; ++k)
        row[k]->setGeometry(QRect(m_layout.bottomButtons[k], QSize(b, b)));
    if (m_bShowHistory)
        m_btnClear->setGeometry(QRect(m_layout.clearButton, QSize(b, b)));
    if (m_layout.bMoveIndexList) {
        m_listIndex->setUpdatesEnabled(false);
        m_listIndex->setGeometry(m_layout.indexList);
        m_listIndex->setUpdatesEnabled(true);
        m_listIndex->update();
    }
    if (m_bShowHistory) {
        m_listHistory->setUpdatesEnabled(false);
        m_listHistory->setGeometry(m_layout.historyList);
        m_listHistory->setUpdatesEnabled(true);
        m_listHistory->update();
    }
    m_browser->setGeometry(m_layout.browser);
    for (const QRect& r : m_layout.invalidateNoErase)
        update(r);
    for (const QRect& r : m_layout.invalidateErase)
        update(r);
    // The label "Praeitis" stands in the caption band, above the strips the layout repaints: the
    // band is repainted whenever the label comes, goes or moves.
    const int labelX = m_bShowHistory ? m_layout.nHistoryX : -1;
    if (labelX != m_nLabelX) {
        m_nLabelX = labelX;
        update(CaptionBand(rect(), m_layoutValues, m_app.m_nLogPixelsX, logicalDpiY()));
    }
}

void CZodynasDlg::SetTimer(int id, int milliseconds) {
    m_timers->SetTimer(id, milliseconds);
}

void CZodynasDlg::KillTimer(int id) {
    m_timers->KillTimer(id);
}

bool CZodynasDlg::IsTimerRunning(int id) const {
    return m_timers->IsRunning(id);
}

int CZodynasDlg::TimerInterval(int id) const {
    return m_timers->Interval(id);
}

void CZodynasDlg::OnTimer(int id) {
    if (id == TIMER_SPLASH) {
        RemoveSplash();
        KillTimer(TIMER_SPLASH);
        if (m_bAlwaysOnTop)
            SetTimer(TIMER_CLIPBOARD, 200);
    }
    if (id == TIMER_SHOWPAGE) {
        KillTimer(TIMER_SHOWPAGE);
        if (m_pendingSuggestion) {
            const AnswerNote::SLink link = *m_pendingSuggestion;
            m_pendingSuggestion.reset();
            ShowSuggestion(link);
        } else {
            ShowLinkPage(m_strPendingPage, m_nPendingEntry);
        }
        m_strPendingPage.clear();
        m_nPendingEntry = -1;
    }
    if (id == TIMER_CLIPBOARD)
        OnClipboardTick();
}

void CZodynasDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    OnSize(width(), height());
    FitStartFrame();
}

void CZodynasDlg::moveEvent(QMoveEvent* event) {
    QDialog::moveEvent(event);
    FitStartFrame();
}

void CZodynasDlg::FitStartFrame() {
    if (m_rcStartFrame.isNull() || windowHandle() == nullptr)
        return;
    const QMargins m = windowHandle()->frameMargins();
    if (m.isNull())
        return;
    // Once: after this the user's own moves and resizes stand.
    const QRect frame = std::exchange(m_rcStartFrame, QRect());
    // A frame stored as small as the smallest client area keeps that area whole.
    resize(std::max(frame.width() - m.left() - m.right(), kMinClientWidth),
           std::max(frame.height() - m.top() - m.bottom(), kMinClientHeight));
    move(frame.topLeft());
}

void CZodynasDlg::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    if (!m_bLayoutReady)
        return;
    // A key repaints the entry box and the index; the band's text is drawn only where it shows.
    if (!event->region().intersects(CaptionBand(rect(), m_layoutValues, m_app.m_nLogPixelsX, logicalDpiY())))
        return;
    QPainter painter(this);
    const int editWidth = IsReverse() ? m_layoutValues.nEditWidthReverse : m_layoutValues.nEditWidthForward;
    PaintCaptionStrip(painter, rect(), FromCp1257(m_strCaption), m_bShowHistory != 0, m_layout.nHistoryX,
                      m_layoutValues, editWidth, m_app.m_nLogPixelsX, logicalDpiY());
}

void CZodynasDlg::closeEvent(QCloseEvent* event) {
    ExitRoutine();
    // The default close runs the Cancel path, and with it the exit routine once more.
    QDialog::closeEvent(event);
}

void CZodynasDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        OnOK();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CZodynasDlg::contextMenuEvent(QContextMenuEvent* event) {
    // Right click on the window's own surface (or the Menu key): the window menu.
    if (m_pSystemMenu != nullptr)
        m_pSystemMenu->popup(event->globalPos());
}

void CZodynasDlg::AddShortcuts() {
    const auto shortcut = [this](const QKeySequence& keys, auto action) {
        auto* s = new QShortcut(keys, this);
        s->setContext(Qt::WindowShortcut);
        connect(s, &QShortcut::activated, this, action);
    };
    const auto toEntryBox = [this] {
        m_editWord->setFocus(Qt::ShortcutFocusReason);
        m_editWord->selectAll();
    };
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_L), toEntryBox);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_F), toEntryBox);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_P), [this] { PrintPage(); });
    shortcut(QKeySequence(Qt::Key_F1), [this] { ShowHelp(); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), [this] { OnCancel(); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_1), [this] { SwitchDirection(EDirection::Forward); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_2), [this] { SwitchDirection(EDirection::Reverse); });
}

bool CZodynasDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_browser && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers commands = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
        // Space still scrolls the page, Ctrl+C still copies from it.
        if (!(key->modifiers() & commands) && !key->text().isEmpty() && key->text().at(0).isPrint() &&
            !key->text().at(0).isSpace()) {
            m_editWord->setFocus(Qt::ShortcutFocusReason);
            m_editWord->end(false);
            QKeyEvent press(QEvent::KeyPress, key->key(), key->modifiers(), key->text());
            QApplication::sendEvent(m_editWord, &press);
            return true;
        }
    }
    if (watched == m_editWord && event->type() == QEvent::ContextMenu && m_pSystemMenu != nullptr) {
        const auto* menuEvent = static_cast<QContextMenuEvent*>(event);
        if (menuEvent->reason() == QContextMenuEvent::Keyboard) {
            m_pSystemMenu->popup(m_editWord->mapToGlobal(QPoint(0, m_editWord->height())));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CZodynasDlg::reject() {
    OnCancel();
}

void CZodynasDlg::accept() {
    OnOK();
}
