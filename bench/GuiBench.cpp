// SPDX-License-Identifier: GPL-2.0-or-later
// CPU per keystroke in the real window: the main dialog started offscreen on a dictionary, words
// typed into the entry box key by key (and taken back with Backspace), each key's events and
// paints run to the end. On the real dictionary (build/LEKSTAR.dic) and, when lekstar-bench has
// written it, on build/bench/generated-1m.dic; each with the search indexes on and off. And the
// clipboard watch's tick with nothing new on the clipboard, small and 100 MB.

#include "app/RegKey.h"
#include "app/ZodynasApp.h"
#include "app/ZodynasDlg.h"
#include "desktop/Resources.h"
#include "lists/VListBox.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

std::filesystem::path BuildDir() {
    std::error_code ec;
    const auto exe = std::filesystem::canonical("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path() : exe.parent_path().parent_path();
}

// Counts the paints of one widget.
class CPaintCounter : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
    long count = 0;
};

// A program folder of its own: the dictionary linked in, the pages copied, private settings and
// a private temporary folder, so that a run leaves nothing behind.
struct SWindow {
    QTemporaryDir folder;
    CZodynasApp app;
    std::unique_ptr<CZodynasDlg> dialog;
    CPaintCounter indexPaints;

    bool Start(const std::filesystem::path& dictionary, bool bIndexes) {
        const std::filesystem::path dir = folder.path().toStdString();
        std::filesystem::create_symlink(dictionary, dir / "LEKSTAR.dic");
        std::filesystem::copy(BuildDir() / "HTM", dir / "HTM", std::filesystem::copy_options::recursive);
        std::filesystem::create_directories(dir / "tmp");
        qputenv("TMPDIR", QByteArray::fromStdString((dir / "tmp").string()));
        CRegKey::SetRoots(QString::fromStdString((dir / "user").string()),
                          QString::fromStdString((dir / "machine").string()));
        app.SetProgramDir(dir.string());
        app.MeasureScreen(QGuiApplication::primaryScreen());
        if (!app.LoadPageHeader(app.ProgramDir() + "/HTM/HH.htm"))
            return false;
        dialog = std::make_unique<CZodynasDlg>(app);
        dialog->SetMessageBoxHandler([](const std::string&, QMessageBox::Icon) {});
        if (!dialog->OnInitDialog())
            return false;
        dialog->Dict().SetSearchIndexes(bIndexes);
        dialog->findChild<CVListBox*>("VListBox")->viewport()->installEventFilter(&indexPaints);
        QApplication::processEvents();
        return true;
    }
    ~SWindow() {
        if (dialog)
            dialog->ExitRoutine();
        dialog.reset();
    }
};

// The keys a user presses: 100 words of the dictionary typed letter by letter, then erased.
std::vector<int> Keys(CDictFile& dict) {
    std::vector<int> keys;
    std::mt19937 random(1437);
    for (int k = 0; k < 100; ++k) {
        int homonym = 0;
        const std::string word = dict.GetListHeadword(
            EDirection::Forward, static_cast<int>(random() % static_cast<unsigned>(dict.ArticleCount())),
            homonym);
        int typed = 0;
        for (char c : word)
            if (c >= 'a' && c <= 'z') {
                keys.push_back(Qt::Key_A + (c - 'a'));
                ++typed;
            }
        for (int n = 0; n < typed; ++n)
            keys.push_back(Qt::Key_Backspace);
    }
    return keys;
}

void Keystrokes(benchmark::State& state, const std::filesystem::path& dictionary, bool bIndexes,
                bool bForms = true) {
    SWindow window;
    if (!window.Start(dictionary, bIndexes)) {
        state.SkipWithError("the window did not start");
        return;
    }
    if (window.dialog->UsesWordForms() != bForms)
        window.dialog->OnSysCommand(IDM_WORDFORMS);
    QWidget* entry = window.dialog->findChild<QWidget*>("IDC_WORD");
    const std::vector<int> keys = Keys(window.dialog->Dict());
    const long paintsBefore = window.indexPaints.count;
    std::size_t i = 0;
    for (auto _ : state) {
        const int key = keys[i++ % keys.size()];
        const QString text = key == Qt::Key_Backspace ? QString() : QString(QChar('a' + (key - Qt::Key_A)));
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
        QApplication::sendEvent(entry, &press);
        QApplication::sendEvent(entry, &release);
        QApplication::processEvents();
    }
    state.counters["index paints per key"] = benchmark::Counter(
        static_cast<double>(window.indexPaints.count - paintsBefore) / static_cast<double>(i));
}

// The window from nothing to shown and back: the program folder's files, the dictionary opened,
// the saved word looked up. Word forms must add nothing here: their data is read later.
void StartAndClose(benchmark::State& state, const std::filesystem::path& dictionary) {
    for (auto _ : state) {
        SWindow window;
        if (!window.Start(dictionary, true)) {
            state.SkipWithError("the window did not start");
            return;
        }
        if (window.dialog->AreWordFormsLoaded()) {
            state.SkipWithError("the start read the word forms");
            return;
        }
    }
}

// One tick of the clipboard watch while the window stays on top and the clipboard holds a text of
// the given number of characters that was handled already: what every 200 ms costs while the user
// types in the window.
void IdleClipboardTick(benchmark::State& state, const std::filesystem::path& dictionary) {
    SWindow window;
    if (!window.Start(dictionary, true)) {
        state.SkipWithError("the window did not start");
        return;
    }
    QGuiApplication::clipboard()->setText(QString(static_cast<qsizetype>(state.range(0)), QChar('w')));
    window.dialog->OnSysCommand(IDM_ALWAYSONTOP);
    window.dialog->OnClipboardTick();
    for (auto _ : state)
        window.dialog->OnClipboardTick();
    QGuiApplication::clipboard()->clear();
}

} // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // The window's pages go to the run's own TMPDIR, not to the user's runtime folder.
    ::unsetenv("XDG_RUNTIME_DIR");
    QApplication application(argc, argv);
    InitResources();
    benchmark::Initialize(&argc, argv);
    const std::filesystem::path real = BuildDir() / "LEKSTAR.dic";
    const std::filesystem::path million = BuildDir() / "bench" / "generated-1m.dic";
    for (const bool bIndexes : {false, true}) {
        const std::string suffix = bIndexes ? "/indexed" : "/scan";
        benchmark::RegisterBenchmark(("real/Keystroke" + suffix).c_str(), [real,
                                                                           bIndexes](benchmark::State& s) {
            Keystrokes(s, real, bIndexes);
        })->Unit(benchmark::kMicrosecond);
        if (std::filesystem::exists(million))
            benchmark::RegisterBenchmark(
                ("generated-1m/Keystroke" + suffix).c_str(),
                [million, bIndexes](benchmark::State& s) { Keystrokes(s, million, bIndexes); })
                ->Unit(benchmark::kMicrosecond);
    }
    benchmark::RegisterBenchmark("real/Keystroke/indexed/no-forms", [real](benchmark::State& s) {
        Keystrokes(s, real, true, false);
    })->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("real/StartAndClose", [real](benchmark::State& s) {
        StartAndClose(s, real);
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("real/IdleClipboardTick",
                                 [real](benchmark::State& s) { IdleClipboardTick(s, real); })
        ->Arg(0)
        ->Arg(50'000'000)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
