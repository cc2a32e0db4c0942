// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/ZodynasDlg.h"

#include "app/ButtonBar.h"
#include "app/TimerSet.h"
#include "app/TranslationPopup.h"
#include "app/WindowAccessible.h"
#include "app/WindowKeys.h"
#include "app/WindowMenu.h"
#include "app/WindowTexts.h"
#include "app/ZodynasApp.h"
#include "desktop/QtText.h"
#include "desktop/SplashDlg.h"
#include "desktop/TempFolder.h"
#include "desktop/VanishedWatch.h"
#include "desktop/WebBrowser2.h"
#include "lists/ListStyle.h"
#include "lists/VListBox.h"
#include "lists/VListBoxHistory.h"
#include "lists/WordEdit.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMoveEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <QWindow>

#include <utility>

namespace {

using QtText::FromCp1257;

constexpr const char* kCaptionAbout = "Apie";

} // namespace

CZodynasDlg::CZodynasDlg(CZodynasApp& app, QWidget* parent)
    : QDialog(parent), m_app(app), m_timers(std::make_unique<CTimerSet>([this](int id) { OnTimer(id); })) {
    InstallWindowAccessible();
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
    m_menu = std::make_unique<CWindowMenu>(
        this, [this](int id) { OnSysCommand(id); },
        [this] {
            return CWindowMenu::SStates{IsHistoryShown(), IsAlwaysOnTop(), IsSelectionWatched(),
                                        UsesWordForms(), IsPopupOn()};
        });

    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect screenRect = screen != nullptr ? screen->geometry() : QRect(0, 0, 1024, 768);
    if (!m_app.IsStartedByOle())
        ShowSplash(screenRect);

    setWindowTitle("LEKSTAR");
    m_nButtonSize = m_app.IsLargeLayout() ? 44 : 32;
    setWindowIcon(QIcon(":/icons/128/256.png"));

    if (!OpenDictionary())
        return false;
    m_buttons->AddTooltips();
    SetUpLayout(screenRect.height());

    if (!m_app.IsStartedByOle() && m_settings.strLastWord.empty())
        m_browser->Navigate(m_app.ProgramDir() +
                            (screenRect.width() > 800 ? "/HTM/Apie.htm" : "/HTM/Apie_s.htm"));
    PlaceWindow(screenRect);
    m_buttons->ShowDirection(IsReverse());
    m_buttons->ShowAlwaysOnTop(IsAlwaysOnTop());
    m_buttons->ShowHistory(IsHistoryShown());
    m_buttons->LoadFixedPictures();

    if (!m_app.IsStartedByOle()) {
        if (!m_settings.strLastWord.empty())
            ShowSavedWord();
        SetTimer(TIMER_SPLASH, 150);
        // The popup shows what is selected or copied from now on, not what was before the start.
        if (!m_settings.bAlwaysOnTop && m_settings.bPopup)
            m_clipboard.Settle();
        if (m_settings.bAlwaysOnTop || m_settings.bPopup)
            SetTimer(TIMER_CLIPBOARD, m_settings.bAlwaysOnTop ? 200 : kPopupTick);
    }

    m_editWord->setFocus();
    m_navigation.SetActive(EWordList::Index);
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
    m_dict.SetPath(m_app.ProgramDir() + "/LEKSTAR.dic");
    if (m_dict.Open() < CDictFile::kOpenFileFailed) {
        // A file cut short under the window is said at once, whatever read found it.
        if (m_pVanishedWatch == nullptr)
            m_pVanishedWatch = new CVanishedWatch(
                [this] {
                    if (m_dict.HasVanished())
                        OnDictionaryVanished();
                },
                this);
        return true;
    }
    RemoveSplash();
    MessageBox(WindowTexts::Cp(WindowTexts::kNoDictionary) + QtText::PathText(m_dict.Path()),
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
    MessageBox(WindowTexts::Cp(WindowTexts::kNoDictionary) + QtText::PathText(m_dict.Path()),
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
    if (!KeepsHistoryAtStart(vertRes, !m_settings.strLastWord.empty()))
        m_settings.bShowHistory = 0;
    m_buttons->ShowClearButton(IsHistoryShown());
    m_listHistory->setVisible(IsHistoryShown());
    m_menu->ShowStates();
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
    const SStoredPlacement stored{m_settings.nPosX, m_settings.nPosY, m_settings.nSizeX, m_settings.nSizeY,
                                  !m_settings.strLastWord.empty()};
    const QRect frame = StartFrame(stored, screenRect, screens);
    setWindowFlag(Qt::WindowStaysOnTopHint, m_settings.bAlwaysOnTop != 0);
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

void CZodynasDlg::CreateChildren() {
    m_browser = new CWebBrowser2(this);
    m_browser->setObjectName("IDC_BROWSER");
    m_browser->setAccessibleName(WindowTexts::Ui(WindowTexts::kPageName));
    m_editWord = new CWordEdit(this, this);
    m_editWord->setObjectName("IDC_WORD");
    m_editWord->setAccessibleName(WindowTexts::Ui(WindowTexts::kWordName));
    m_editWord->SetStyle(m_app.ListStyle());
    m_btnOk = new QPushButton("OK", this);
    m_btnOk->setObjectName("IDOK");
    m_btnOk->setAutoDefault(false);
    // Only the entry box and the shown history are tab stops; the page takes the focus on a click
    // only, so that its text can be selected and copied.
    m_btnOk->setFocusPolicy(Qt::NoFocus);
    m_browser->setFocusPolicy(Qt::ClickFocus);

    CButtonBar::SActions actions;
    actions.english = [this] { SwitchDirection(EDirection::Forward); };
    actions.lithuanian = [this] { SwitchDirection(EDirection::Reverse); };
    actions.alwaysOnTop = [this] { ToggleAlwaysOnTop(); };
    actions.history = [this] { ToggleHistory(); };
    actions.print = [this] { PrintPage(); };
    actions.help = [this] { ShowHelp(); };
    actions.exit = [this] { OnCancel(); };
    actions.clear = [this] {
        ClearHistory();
        m_listHistory->Repaint();
    };
    m_buttons = std::make_unique<CButtonBar>(this, m_app.IsLargeLayout(), m_app.IsHighColour(), actions);
    // A changed clipboard is fetched at the next tick of the watch, an unchanged one never.
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            [this] { m_clipboard.MarkChanged(); });
    connect(QGuiApplication::clipboard(), &QClipboard::selectionChanged, this, [this] {
        if (!QGuiApplication::clipboard()->ownsSelection())
            m_clipboard.MarkSelectionChanged();
    });
    m_browser->SetBeforeNavigate(
        [this](const std::string& url, bool& bCancel) { OnBeforeNavigate2(url, bCancel); });
    // The stored text size from the first page on; Ctrl+wheel over the page changes it there.
    m_browser->SetZoom(m_settings.nZoom);
    m_browser->SetZoomChanged([this](int percent) { m_settings.nZoom = percent; });
    // The view's own history knows page files that are gone: its back and forward (the mouse's
    // side buttons, its own keys) go along the window's trail instead.
    m_browser->SetHistoryStep([this](int step) { GoInTrail(step); });
    CWindowKeys::SActions keys;
    keys.print = actions.print;
    keys.help = actions.help;
    keys.exit = actions.exit;
    keys.english = actions.english;
    keys.lithuanian = actions.lithuanian;
    keys.zoomIn = [this] { SetPageZoom(CWebBrowser2::ZoomStep(m_settings.nZoom, 1)); };
    keys.zoomOut = [this] { SetPageZoom(CWebBrowser2::ZoomStep(m_settings.nZoom, -1)); };
    keys.zoomReset = [this] { SetPageZoom(100); };
    keys.back = [this] { GoBack(); };
    keys.forward = [this] { GoForward(); };
    keys.menu = [this] { return SystemMenu(); };
    new CWindowKeys(this, m_browser, m_editWord, std::move(keys));
}

QMenu* CZodynasDlg::SystemMenu() const {
    return m_menu ? m_menu->Menu() : nullptr;
}

void CZodynasDlg::LoadSettings() {
    ::LoadSettings(m_settings);
    // Any stored direction but English selects the Lithuanian index.
    m_direction = m_settings.nDirection != 0 ? EDirection::Reverse : EDirection::Forward;
}

void CZodynasDlg::SaveSettings() {
    m_settings.nDirection = IsReverse() ? 1 : 0;
    const bool bFills = isMaximized() || isFullScreen();
    const QRect area = screen() == nullptr ? QRect()
                       : isFullScreen()    ? screen()->geometry()
                                           : screen()->availableGeometry();
    ::SaveSettings(m_settings, SavedFrame(frameGeometry(), area, bFills), m_editWord->Word());
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
    if (m_settings.bAlwaysOnTop) {
        m_settings.bAlwaysOnTop = 0;
        m_buttons->ShowAlwaysOnTop(false);
        SetTopmost(false);
        WatchForPopup();
    } else {
        m_settings.bAlwaysOnTop = 1;
        m_buttons->ShowAlwaysOnTop(true);
        SetTopmost(true);
        SetTimer(TIMER_CLIPBOARD, 333);
        PrepareWordForms();
    }
    m_menu->ShowStates();
}

void CZodynasDlg::ToggleHistory() {
    m_settings.bShowHistory = m_settings.bShowHistory ? 0 : 1;
    m_menu->ShowStates();
    m_buttons->ShowClearButton(IsHistoryShown());
    m_listHistory->setVisible(IsHistoryShown());
    OnSize(width(), height());
    m_buttons->ShowHistory(IsHistoryShown());
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
    else if (id == IDM_POPUP)
        TogglePopup();
}

void CZodynasDlg::OnCancel() {
    ExitRoutine();
    QDialog::done(QDialog::Rejected);
}

void CZodynasDlg::ExitRoutine() {
    // From here the window is on its way out: automation calls find no window and write nothing.
    m_bClosing = true;
    SaveSettings();
    if (m_settings.bShowHistory)
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
    in.bShowHistory = m_settings.bShowHistory != 0;
    in.nPrevWidth = m_nPrevWidth;
    in.nPrevHeight = m_nPrevHeight;
    in.lastBrowser = m_layout.browser;
    m_layout = ComputeLayout(m_layoutValues, in);

    m_buttons->Place(m_layout, m_nButtonSize, IsHistoryShown());
    m_editWord->setGeometry(m_layout.edit);
    if (m_layout.bMoveIndexList) {
        m_listIndex->setUpdatesEnabled(false);
        m_listIndex->setGeometry(m_layout.indexList);
        m_listIndex->setUpdatesEnabled(true);
        m_listIndex->update();
    }
    if (m_settings.bShowHistory) {
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
    const int labelX = m_settings.bShowHistory ? m_layout.nHistoryX : -1;
    if (labelX != m_nLabelX) {
        m_nLabelX = labelX;
        update(CaptionBand(rect(), m_layoutValues, m_app.LogPixelsX(), logicalDpiY()));
    }
}

void CZodynasDlg::OnTimer(int id) {
    if (id == TIMER_SPLASH) {
        RemoveSplash();
        KillTimer(TIMER_SPLASH);
        if (m_settings.bAlwaysOnTop || m_settings.bPopup)
            SetTimer(TIMER_CLIPBOARD, m_settings.bAlwaysOnTop ? 200 : kPopupTick);
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
    if (!event->region().intersects(CaptionBand(rect(), m_layoutValues, m_app.LogPixelsX(), logicalDpiY())))
        return;
    QPainter painter(this);
    const int editWidth = IsReverse() ? m_layoutValues.nEditWidthReverse : m_layoutValues.nEditWidthForward;
    PaintCaptionStrip(painter, rect(), FromCp1257(m_strCaption), m_settings.bShowHistory != 0,
                      m_layout.nHistoryX, m_layoutValues, editWidth, m_app.LogPixelsX(), logicalDpiY());
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
    if (SystemMenu() != nullptr)
        SystemMenu()->popup(event->globalPos());
}

void CZodynasDlg::reject() {
    OnCancel();
}

void CZodynasDlg::accept() {
    OnOK();
}
