// Speed of the dictionary core on the real dictionary (build/LEKSTAR.dic, or $LEKSTAR_DIC) and on
// a generated one of 1,000,000 articles and 1,000,000 reverse records, kept in
// build/bench/generated-1m.dic between runs.

#include "dict/DictFile.h"
#include "dict/DictWriter.h"

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

std::string GeneratedDictionary() {
    const std::filesystem::path path = ExeDir() / "generated-1m.dic";
    if (std::filesystem::exists(path))
        return path.string();
    std::cerr << "Generating " << path << " ...\n";
    constexpr int kCount = 1000000;
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
    std::unique_ptr<CDictFile> dict = std::make_unique<CDictFile>();
    std::vector<std::string> forwardHits;
    std::vector<std::string> reverseHits;
};

// Words that are in the dictionary, spread over the whole list.
void SampleWords(SSubject& s) {
    int homonym = 0;
    const int articles = s.dict->ArticleCount();
    const int reverse = s.dict->ReverseCount();
    for (int k = 0; k < 64; ++k) {
        s.forwardHits.push_back(s.dict->GetListHeadword(EDirection::Forward, articles * k / 64, homonym));
        s.reverseHits.push_back(s.dict->GetReverseHeadword(reverse * k / 64));
    }
}

void Register(SSubject& s) {
    const std::string& n = s.name;
    benchmark::RegisterBenchmark((n + "/Open").c_str(), [&s](benchmark::State& state) {
        CDictFile dict;
        dict.SetPath(s.path);
        for (auto _ : state) {
            benchmark::DoNotOptimize(dict.Open());
            dict.Close();
        }
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((n + "/FindNearestForward").c_str(), [&s](benchmark::State& state) {
        std::size_t i = 0;
        for (auto _ : state) {
            int entry = -1;
            benchmark::DoNotOptimize(s.dict->FindNearestForward(s.forwardHits[i++ % 64] + "x", entry));
        }
    })->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark((n + "/RenderForward/hit").c_str(), [&s](benchmark::State& state) {
        std::size_t i = 0;
        for (auto _ : state) {
            int entry = -1;
            benchmark::DoNotOptimize(s.dict->RenderForward(s.forwardHits[i++ % 64], entry));
        }
    })->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark((n + "/RenderForward/miss").c_str(), [&s](benchmark::State& state) {
        for (auto _ : state) {
            int entry = -1;
            // Matches no headword: every list is scanned to its end.
            benchmark::DoNotOptimize(s.dict->RenderForward("qqqqzz", entry));
        }
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((n + "/FindNearestReverse").c_str(), [&s](benchmark::State& state) {
        std::size_t i = 0;
        for (auto _ : state)
            benchmark::DoNotOptimize(s.dict->FindNearestReverse(s.reverseHits[i++ % 64]));
    })->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark((n + "/RenderReverse").c_str(), [&s](benchmark::State& state) {
        std::size_t i = 0;
        for (auto _ : state)
            benchmark::DoNotOptimize(s.dict->RenderReverse(s.reverseHits[i++ % 64]));
    })->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark((n + "/GetListHeadword/40rows").c_str(), [&s](benchmark::State& state) {
        std::size_t k = 0;
        const int articles = s.dict->ArticleCount();
        for (auto _ : state) {
            const int top =
                static_cast<int>((k++ * 7919) % static_cast<std::size_t>(std::max(articles - 40, 1)));
            for (int row = top; row < top + 40; ++row) {
                int homonym = 0;
                benchmark::DoNotOptimize(s.dict->GetListHeadword(EDirection::Forward, row, homonym));
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
    subjects.push_back(std::make_unique<SSubject>());
    subjects.back()->name = "generated1M";
    subjects.back()->path = GeneratedDictionary();
    for (auto& s : subjects) {
        s->dict->SetPath(s->path);
        if (s->dict->Open() != CDictFile::kOpenOk) {
            std::cerr << "cannot open " << s->path << "\n";
            return 1;
        }
        SampleWords(*s);
        Register(*s);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
