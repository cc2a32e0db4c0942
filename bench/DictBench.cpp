// SPDX-License-Identifier: GPL-2.0-or-later
// Speed of the dictionary core on the real dictionary (build/LEKSTAR.dic, or $LEKSTAR_DIC) and on
// generated ones of 100,000 and 1,000,000 articles (as many reverse records), kept in
// build/bench/generated-*.dic between runs. Every search runs twice in the same run: "scan" with
// the search indexes off (the plain scans of the file format), "indexed" with them.

#include "dict/DictWriter.h"
#include "render/DictFile.h"
#include "render/Lookup.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

std::filesystem::path ExeDir() {
    std::error_code ec;
    const auto exe = std::filesystem::canonical("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path() : exe.parent_path();
}

// Lithuanian-looking words from a fixed generator: the same file on every machine.
std::string RandomWord(std::mt19937& random, bool lithuanian) {
    static const char* const kLatin[] = {"a", "b", "c", "d", "e", "f", "g", "h", "i", "k", "l", "m",
                                         "n", "o", "p", "r", "s", "t", "u", "v", "w", "y", "z"};
    static const char* const kBaltic[] = {
        "a", "\xE0", "b", "c", "\xE8", "d", "e", "\xE6", "\xEB", "g", "i",    "\xE1", "y", "j", "k",
        "l", "m",    "n", "o", "p",    "r", "s", "\xF0", "t",    "u", "\xF8", "\xFB", "v", "z", "\xFE"};
    const std::size_t length = 3 + random() % 10;
    std::string w;
    for (std::size_t i = 0; i < length; ++i)
        w += lithuanian ? kBaltic[random() % std::size(kBaltic)] : kLatin[random() % std::size(kLatin)];
    return w;
}

// A Lithuanian word as typed without its diacritics: "žodis" as "zodis".
std::string Unmarked(std::string word) {
    static const std::string kMarked = "\xE0\xE8\xE6\xEB\xE1\xF0\xF8\xFB\xFE";
    static const std::string kPlain = "aceeisuuz";
    for (char& c : word)
        if (const std::size_t at = kMarked.find(c); at != std::string::npos)
            c = kPlain[at];
    return word;
}

std::string GeneratedDictionary(int kCount, const std::string& name) {
    const std::filesystem::path path = ExeDir() / ("generated-" + name + ".dic");
    if (std::filesystem::exists(path))
        return path.string();
    std::cerr << "Generating " << path << " ...\n";
    std::mt19937 random(20261208);
    SDictContent c;
    c.articles.reserve(kCount);
    std::vector<std::string> lithuanian;
    for (int i = 0; i < kCount; ++i) {
        const std::string w = RandomWord(random, false);
        const std::string lt1 = RandomWord(random, true);
        const std::string lt2 = RandomWord(random, true);
        c.articles.push_back({w, 0,
                              CDictWriter::ArticleText(w, "<P CLASS=hw><B>" + w + "</B></P>\r\n<P>\r\n1. " +
                                                              lt1 + ", " + lt2 + "\r\n</P>\r\n")});
        lithuanian.push_back(lt1);
    }
    c.reverse.reserve(kCount);
    for (int i = 0; i < kCount; ++i)
        c.reverse.push_back(
            {lithuanian[static_cast<std::size_t>(i)], {i, static_cast<std::int32_t>(random() % kCount)}});
    for (int i = 0; i < kCount / 10; ++i)
        c.alternates[0].push_back(
            {RandomWord(random, false) + "s", static_cast<std::int32_t>(random() % kCount)});
    std::string error;
    if (!CDictWriter::WriteFile(path.string(), c, CDictWriter::EOrder::Sort, &error)) {
        std::cerr << error << "\n";
        std::exit(1);
    }
    return path.string();
}

struct SSubject {
    std::string name;
    std::string path;
    std::unique_ptr<CDictFile> scan = std::make_unique<CDictFile>();
    std::unique_ptr<CDictFile> indexed = std::make_unique<CDictFile>();
    std::vector<std::string> forwardHits;
    std::vector<std::string> reverseHits;
};

// Words that are in the dictionary, spread over the whole list.
void SampleWords(SSubject& s) {
    int homonym = 0;
    const int articles = s.scan->ArticleCount();
    const int reverse = s.scan->ReverseCount();
    for (int k = 0; k < 64; ++k) {
        s.forwardHits.push_back(s.scan->GetListHeadword(EDirection::Forward, articles * k / 64, homonym));
        s.reverseHits.push_back(s.scan->GetReverseHeadword(reverse * k / 64));
    }
}

using Operation = void (*)(CDictFile& dict, const SSubject& s, std::size_t i);

void Register(SSubject& s, const std::string& operation, Operation run, benchmark::TimeUnit unit) {
    for (const bool bIndexed : {false, true}) {
        const std::string name = s.name + "/" + operation + (bIndexed ? "/indexed" : "/scan");
        benchmark::RegisterBenchmark(name.c_str(), [&s, run, bIndexed](benchmark::State& state) {
            CDictFile& dict = bIndexed ? *s.indexed : *s.scan;
            std::size_t i = 0;
            for (auto _ : state)
                run(dict, s, i++);
        })->Unit(unit);
    }
}

void Register(SSubject& s) {
    benchmark::RegisterBenchmark((s.name + "/Open").c_str(), [&s](benchmark::State& state) {
        CDictFile dict;
        dict.SetPath(s.path);
        for (auto _ : state) {
            benchmark::DoNotOptimize(dict.Open());
            dict.Close();
        }
    })->Unit(benchmark::kMillisecond);
    // What the first searches after Open pay once: the check of every list and the first-letter table.
    benchmark::RegisterBenchmark((s.name + "/Open+FirstSearches").c_str(), [&s](benchmark::State& state) {
        CDictFile dict;
        dict.SetPath(s.path);
        for (auto _ : state) {
            dict.Open();
            int entry = -1;
            benchmark::DoNotOptimize(dict.RenderForward("a", entry));
            benchmark::DoNotOptimize(dict.RenderLinkTarget("a", entry));
            benchmark::DoNotOptimize(dict.FindNearestForward("a", entry));
            benchmark::DoNotOptimize(dict.FindNearestReverse("a"));
            dict.Close();
        }
    })->Unit(benchmark::kMillisecond);
    Register(
        s, "FindNearestForward",
        [](CDictFile& d, const SSubject& subject, std::size_t i) {
            int entry = -1;
            benchmark::DoNotOptimize(d.FindNearestForward(subject.forwardHits[i % 64] + "x", entry));
        },
        benchmark::kMicrosecond);
    Register(
        s, "RenderForward/hit",
        [](CDictFile& d, const SSubject& subject, std::size_t i) {
            int entry = -1;
            benchmark::DoNotOptimize(d.RenderForward(subject.forwardHits[i % 64], entry));
        },
        benchmark::kMicrosecond);
    // Matches no headword: the scan reads every list to its end.
    Register(
        s, "RenderForward/miss",
        [](CDictFile& d, const SSubject&, std::size_t) {
            int entry = -1;
            benchmark::DoNotOptimize(d.RenderForward("qqqqzz", entry));
        },
        benchmark::kMicrosecond);
    // A keystroke in the window: the entry the index moves to, without any page.
    Register(
        s, "Keystroke",
        [](CDictFile& d, const SSubject& subject, std::size_t i) {
            const std::string& w = subject.forwardHits[i % 64];
            benchmark::DoNotOptimize(
                Lookup::FindEntry(d, EDirection::Forward, w.substr(0, 1 + i % w.size()) + "q"));
        },
        benchmark::kMicrosecond);
    Register(
        s, "FindNearestReverse",
        [](CDictFile& d, const SSubject& subject, std::size_t i) {
            benchmark::DoNotOptimize(d.FindNearestReverse(subject.reverseHits[i % 64]));
        },
        benchmark::kMicrosecond);
    Register(
        s, "RenderReverse",
        [](CDictFile& d, const SSubject& subject, std::size_t i) {
            benchmark::DoNotOptimize(d.RenderReverse(subject.reverseHits[i % 64]));
        },
        benchmark::kMicrosecond);
    // A Lithuanian word typed without diacritics, at its first use after opening: the scan builds
    // and sorts a key of every reverse record, the indexed search halves through the marked forms.
    for (const bool bIndexed : {false, true})
        benchmark::RegisterBenchmark(
            (s.name + "/Open+FoldedReverseMatch/" + (bIndexed ? "indexed" : "scan")).c_str(),
            [&s, bIndexed](benchmark::State& state) {
                CDictFile dict;
                dict.SetPath(s.path);
                dict.SetSearchIndexes(bIndexed);
                std::size_t k = 0;
                for (auto _ : state) {
                    dict.Open();
                    benchmark::DoNotOptimize(
                        dict.FoldedReverseMatch(Unmarked(s.reverseHits[k++ % 64]), false));
                    dict.Close();
                }
            })
            ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((s.name + "/GetListHeadword/40rows").c_str(), [&s](benchmark::State& state) {
        std::size_t k = 0;
        const int articles = s.scan->ArticleCount();
        for (auto _ : state) {
            const int top =
                static_cast<int>((k++ * 7919) % static_cast<std::size_t>(std::max(articles - 40, 1)));
            for (int row = top; row < top + 40; ++row) {
                int homonym = 0;
                benchmark::DoNotOptimize(s.scan->GetListHeadword(EDirection::Forward, row, homonym));
            }
        }
    })->Unit(benchmark::kMicrosecond);
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    const char* env = std::getenv("LEKSTAR_DIC");
    std::vector<std::unique_ptr<SSubject>> subjects;
    subjects.push_back(std::make_unique<SSubject>());
    subjects.back()->name = "real";
    subjects.back()->path = env != nullptr ? env : (ExeDir().parent_path() / "LEKSTAR.dic").string();
    for (const auto& [count, name] : {std::pair{100000, "100k"}, std::pair{1000000, "1m"}}) {
        subjects.push_back(std::make_unique<SSubject>());
        subjects.back()->name = std::string("generated-") + name;
        subjects.back()->path = GeneratedDictionary(count, name);
    }
    for (auto& s : subjects) {
        for (CDictFile* dict : {s->scan.get(), s->indexed.get()}) {
            dict->SetPath(s->path);
            if (dict->Open() != CDictFile::kOpenOk) {
                std::cerr << "cannot open " << s->path << "\n";
                return 1;
            }
        }
        s->scan->SetSearchIndexes(false);
        // The indexes are built by the first searches; the figures are those of every later one.
        int entry = -1;
        s->indexed->RenderForward("a", entry);
        s->indexed->RenderLinkTarget("a", entry);
        s->indexed->FindNearestForward("a", entry);
        s->indexed->FindNearestReverse("a");
        SampleWords(*s);
        Register(*s);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
