// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "app/ClipboardWatch.h"
#include "app/ControlIds.h"
#include "app/DialogLayout.h"
#include "app/DictRows.h"
#include "app/ListNavigation.h"
#include "app/Settings.h"
#include "app/TimerSet.h"
#include "app/WindowTexts.h"
#include "automation/AutomationTarget.h"
#include "desktop/BitmapIds.h"
#include "dict/WordForms.h"
#include "lists/ListOwner.h"
#include "render/AnswerNote.h"
#include "render/DictFile.h"
#include "render/Lookup.h"

#include <QDialog>
#include <QMessageBox>
#include <QPointer>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>

class CButtonBar;
class CSplashDlg;
class CVListBox;
class CVListBoxHistory;
class CWebBrowser2;
class CWordEdit;
class CZodynasApp;
class CWindowMenu;
class CTranslationPopup;
class QMenu;
class QPushButton;

// The program's main window: entry box, word index, history, the HTML view of translations and a
// row of bitmap buttons. It owns the dictionary and every child; OnInitDialog brings the program
// up, ExitRoutine saves the settings and removes the page files. The entry box and the lists
// reach it only as their CListOwner; the children carry their control names as object names.
class CZodynasDlg : public QDialog, public CListOwner, public CAutomationTarget {
    Q_OBJECT
public:
    explicit CZodynasDlg(CZodynasApp& app, QWidget* parent = nullptr);
    ~CZodynasDlg() override;

    // Start-up in its fixed order. Returns false when the dictionary cannot be opened: the
    // message has been shown and the program must end without saving anything.
    bool OnInitDialog();

    // The window menu's commands by id (ECommandId), and the help (F1, the help button).
    void OnSysCommand(int id);
    void ShowHelp();
    // The pages' text size in percent.
    int PageZoom() const { return m_settings.nZoom; }
    // Another start of the program, or the command line, asks for the window: it comes to the
    // front, and a word (UTF-8 as typed) is translated as if typed and confirmed with Enter.
    void ShowForWord(const QString& word);
    void OnCancel();
    // Saves the settings and removes the page files; harmless to run twice.
    void ExitRoutine();
    // The dictionary file was cut short or rewritten under the window: the exit routine, then
    // the message of a file that cannot be opened, and the window closes.
    void OnDictionaryVanished();
    // Whether the window closed for that reason (the program then ends with status 1).
    bool IsDictionaryGone() const { return m_bDictionaryGone; }
    // Whether the exit routine has run: the window is closing or gone.
    bool IsClosing() const override { return m_bClosing; }
    // Writes the settings of the window as they are now (also the exit routine's first step).
    void SaveSettings();
    void ClearHistory();

    // Translation pages: ShowPage writes the page file for a text (title, TAB, body) and shows it;
    // with an entry, or with bPutTitle, the entry box gets the page's title. OnBeforeNavigate2 lets page
    // files and the about pages through and turns every other link into the page of its link name, shown 20
    // ms later.
    void ShowPage(std::string text, int entry, bool bPutTitle = false) override;
    // What a typed or copied word (UTF-8) reached: the page, first saying so when its headword is
    // not the word itself, with suggestions; a word that reached nothing gets a page that says so.
    void ShowAnswer(const std::string& typed, const std::optional<std::string>& word,
                    const Lookup::SResult& found);
    // Back and forward over the pages shown in this run: false at either end of the trail.
    bool GoBack() { return GoInTrail(-1); }
    bool GoForward() { return GoInTrail(1); }
    void OnBeforeNavigate2(const std::string& url, bool& bCancel);

    // Navigation between the entry box and the lists.
    void FollowTyping(const std::optional<std::string>& text) override;
    void LineUp() override;
    void LineDown() override;
    void PageUp() override;
    void PageDown() override;
    void ShowForwardEntry(int entry) override;
    void ShowReverseEntry(int index) override;
    void SwitchDirection(EDirection direction) override;
    // The entry box got the keyboard focus.
    void OnEditFocus() override;

    // The dictionary, and the index rows the lists show from it.
    CDictFile& Dict() override { return m_dict; }
    const CRowSource& Rows() const { return m_rows; }
    std::string PageHead() const override;
    QObject* WindowObject() override { return this; }
    void SetActiveList(EWordList list) override { m_navigation.SetActive(list); }
    void NavigateToPage(const std::string& path) override;

    // The window's state, for the automation service and the tests.
    EWordList ActiveList() const { return m_navigation.Active(); }
    EDirection Direction() const { return m_direction; }
    bool IsReverse() const { return m_direction == EDirection::Reverse; }
    bool IsAlwaysOnTop() const { return m_settings.bAlwaysOnTop != 0; }
    bool IsHistoryShown() const { return m_settings.bShowHistory != 0; }
    bool IsSelectionWatched() const { return m_settings.bSelection != 0; }
    bool UsesWordForms() const { return m_settings.bWordForms != 0; }
    bool IsPopupOn() const { return m_settings.bPopup != 0; }
    // The popup, once one has been shown.
    CTranslationPopup* Popup() const { return m_popup.get(); }
    // Where the stems come from (the bases of hunspell's .aff and .dic), for tests.
    void SetWordFormsData(const std::string& englishBase, const std::string& lithuanianBase);
    // From now on the word forms the index needs are read on a thread beside the window's loop:
    // the Lithuanian ones now and after each change of direction or of the switch, the English ones
    // at the first word typed that may be a form of another (at once while, or when, a watch of
    // other programs' words is on), so that no key reads them. Without this call they are read at the
    // first word that needs them.
    void PreloadWordForms();
    bool AreWordFormsLoaded() const { return m_pEnglishForms->IsLoaded() || m_pLithuanianForms->IsLoaded(); }
    bool HasSplash() const { return m_splash != nullptr; }
    const std::string& Caption() const { return m_strCaption; }
    // The page of a followed link, waiting for TIMER_SHOWPAGE.
    const std::string& PendingPage() const { return m_strPendingPage; }
    const SLayoutValues& LayoutValues() const { return m_layoutValues; }
    CClipboardWatch& ClipboardWatch() { return m_clipboard; }

    // Geometry: Layout places every child for a client size.
    void Layout(int cx, int cy);

    // Timers by id.
    void SetTimer(int id, int milliseconds) { m_timers->SetTimer(id, milliseconds); }
    void KillTimer(int id) { m_timers->KillTimer(id); }
    bool IsTimerRunning(int id) const { return m_timers->IsRunning(id); }
    int TimerInterval(int id) const { return m_timers->Interval(id); }
    // One tick of the clipboard watch.
    void OnClipboardTick();

    // The About box's text, in code page 1257.
    static std::string AboutText() { return WindowTexts::AboutText(); }
    // The window menu's entries, as built by OnInitDialog.
    QMenu* SystemMenu() const;

    // Seams for tests: every message box goes through the handler (text in code page 1257),
    // every file or page opened in the desktop through the opener. Unset, Qt's own are used.
    using MessageBoxHandler = std::function<void(const std::string& text, QMessageBox::Icon icon)>;
    using UrlOpener = std::function<bool(const QUrl& url)>;
    void SetMessageBoxHandler(MessageBoxHandler handler) { m_fnMessageBox = std::move(handler); }
    void SetUrlOpener(UrlOpener opener) { m_fnOpenUrl = std::move(opener); }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void reject() override;
    void accept() override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // Commands of the buttons, the keys and the window menu, which are the user's way to them.
    void ToggleAlwaysOnTop();
    void ToggleHistory();
    // The window-menu switches: the watch reads the primary selection too; word forms.
    void ToggleSelection();
    void ToggleWordForms();
    // Words selected or copied in other programs translated in a popup at the pointer while
    // the window is not on top.
    void TogglePopup();
    // How often the watch looks while it works for the popup: a selected word settles in two
    // looks, and its popup comes within half a second.
    static constexpr int kPopupTick = 150;
    void PrintPage();
    // The pages' text size in percent (clamped to 50..300), kept in the settings.
    void SetPageZoom(int percent);
    void ShowAbout();
    void OnOK();
    // The page of a followed link, with the English entry the link list found.
    void ShowLinkPage(const std::string& text, int entry);
    // Clamps and records the client size, then lays the children out.
    void OnSize(int cx, int cy);
    void OnTimer(int id);

    MessageBoxHandler m_fnMessageBox;
    UrlOpener m_fnOpenUrl;

    CDictFile m_dict;
    CDictRows m_rows{m_dict};
    // The stems of inflected words, read on the first word that needs them.
    std::unique_ptr<CWordForms> m_pEnglishForms = std::make_unique<CWordForms>(CWordForms::kEnglish);
    std::unique_ptr<CWordForms> m_pLithuanianForms = std::make_unique<CWordForms>(CWordForms::kLithuanian);
    // The preloads: each data read at most once, on a thread joined before the data goes.
    bool m_bPreloadForms = false;
    std::vector<const CWordForms*> m_preloaded;
    std::vector<std::thread> m_formsLoaders;
    void StartFormsLoad();
    void PrepareWordForms();
    void JoinFormsLoaders();
    std::string m_strCaption;
    // The switches, the stored rectangle and the last word, as loaded and as they change; the
    // direction is m_direction's while the window runs.
    SSettings m_settings;
    CListNavigation m_navigation;
    EDirection m_direction = EDirection::Forward;
    int m_bLayoutReady = 0;
    // The outer rectangle the window starts with, until the window manager's frame is known.
    QRect m_rcStartFrame;
    SLayoutValues m_layoutValues;
    SLayout m_layout;
    int m_nPrevWidth = 0;
    int m_nPrevHeight = 0;
    // Where the history's label was last laid out; -1 while the history is hidden.
    int m_nLabelX = -1;

    // The trail of pages shown in this run, each with what shows it again, and where in it the
    // window stands; going back and forth moves along it without adding to it.
    struct SVisit {
        std::string title;
        std::string body;
        int entry = -1;
        bool bPutTitle = false;
        EDirection direction = EDirection::Forward;
        int row = -1; // the index row selected with it
    };
    static constexpr std::size_t kMaxTrail = 100;
    std::vector<SVisit> m_trail;
    int m_nTrailAt = -1;
    bool m_bReplaying = false;
    void AddToTrail(SVisit visit);
    bool GoInTrail(int step);

    std::string m_strPendingPage;
    int m_nPendingEntry = -1;
    // A followed suggestion: the record to show in its index, waiting for TIMER_SHOWPAGE too.
    std::optional<AnswerNote::SLink> m_pendingSuggestion;
    bool m_bMemoryPageNoted = false;
    bool m_bDictionaryGone = false;
    bool m_bClosing = false;
    QObject* m_pVanishedWatch = nullptr;
    CClipboardWatch m_clipboard;

    CWebBrowser2* m_browser = nullptr;
    CWordEdit* m_editWord = nullptr;
    CVListBox* m_listIndex = nullptr;
    CVListBoxHistory* m_listHistory = nullptr;
    QPushButton* m_btnOk = nullptr;
    std::unique_ptr<CButtonBar> m_buttons;
    std::unique_ptr<CSplashDlg> m_splash;

    void LoadSettings();
    // The stages of OnInitDialog, in their order.
    void CreateChildren();
    void ShowSplash(const QRect& screenRect);
    // Opens LEKSTAR.dic beside the program; on failure says so and gives false.
    bool OpenDictionary();
    // Layout values, the lists, the history decision for a screen vertRes pixels tall.
    void SetUpLayout(int vertRes);
    // The window's first place and size, stored or centred, then shown.
    void PlaceWindow(const QRect& screenRect);
    void RemoveSplash();
    void MessageBox(const std::string& text, QMessageBox::Icon icon);
    // Gives the window the inner size that makes its frame the start rectangle, once the
    // window manager's frame is known.
    void FitStartFrame();
    // Where no page file can be written pages are shown from memory; the first such page says so
    // in this note (once a run), later ones give nothing.
    std::string MemoryPageNote();
    // The name a page held in memory goes by: no file is there, nor can be.
    static constexpr const char* kMemoryPage = "/dev/null/ZOD0000.TMP.htm";
    // Deletes a page file of ours that is neither shown nor listed in the history.
    void ReleasePage(const std::string& path);
    bool OpenUrl(const QUrl& url);
    void SetTopmost(bool bTopmost);
    void CreateLists();
    void ShowSavedWord();
    // The search direction of the index shown.
    // The word forms of the index shown, or none while the switch is off.
    CWordForms* WordForms();
    // The page file for a title and a body; ShowPage's second half.
    void ShowBody(std::string title, const std::string& body, int entry, bool bPutTitle);
    // The record the word is, as itself or a form, in the index not shown; empty when none.
    std::string OtherDirectionRecord(const std::string& word);
    // Switches to the suggestion's index when needed and shows its record as if typed.
    void ShowSuggestion(const AnswerNote::SLink& link);
    // The page an answer shows (ShowAnswer's first half); nothing for an empty word.
    struct SAnswerPage {
        std::string title;
        std::string body;
        int entry = -1;
    };
    std::optional<SAnswerPage> AnswerPage(const std::string& typed, const std::optional<std::string>& word,
                                          const Lookup::SResult& found);
    // With the window no longer on top the watch goes on for the popup, or stops.
    void WatchForPopup();
    // A word from another program, in the popup at the pointer.
    void ShowInPopup(const std::string& typed, const std::optional<std::string>& word,
                     const Lookup::SResult& found);
    std::unique_ptr<CTranslationPopup> m_popup;

    CZodynasApp& m_app;
    std::unique_ptr<CTimerSet> m_timers;
    std::unique_ptr<CWindowMenu> m_menu;
    int m_nButtonSize = 32;
    // What the wheel turned since its last row, in eighths of a degree; a notch is 120.
    static constexpr int kWheelNotch = 120;
    int m_nWheelRest = 0;
};
