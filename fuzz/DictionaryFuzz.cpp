// SPDX-License-Identifier: GPL-2.0-or-later
// The dictionary reader on a whole LEKSTAR.dic made of the input: every lookup and renderer over
// words and record numbers from the input and at the edges. Nothing may read outside the mapping,
// and the search indexes must give what the plain scans give.

#include "FuzzInput.h"
#include "dict/LittleEndian.h"
#include "render/Lookup.h"
#include "render/PageComposer.h"
#include "render/PlainText.h"

namespace {

struct SAnswers {
    std::vector<std::string> texts;
    std::vector<int> numbers;
};

SAnswers Ask(CDictFile& dict, const std::vector<std::string>& words) {
    SAnswers a;
    for (const std::string& w : words) {
        int entry = -1;
        a.texts.push_back(dict.RenderForward(w, entry));
        a.numbers.push_back(entry);
        a.texts.push_back(dict.RenderLinkTarget(w, entry));
        a.numbers.push_back(entry);
        entry = -1;
        a.texts.push_back(dict.FindNearestForward(w, entry));
        a.numbers.push_back(entry);
        int index = -1;
        a.texts.push_back(dict.RenderReverse(w, &index));
        a.numbers.push_back(index);
        a.numbers.push_back(dict.FindNearestReverse(w));
        // The inflection list a file may carry and the texts without diacritics.
        for (const int record : dict.LithuanianFormRecords(w))
            a.numbers.push_back(record);
        a.numbers.push_back(dict.FoldedReverseMatch(w, true));
        a.numbers.push_back(dict.FoldedReverseMatch(w, false));
        for (const EDirection direction : {EDirection::Forward, EDirection::Reverse}) {
            const Lookup::SResult found = Lookup::Find(dict, direction, w);
            a.texts.push_back(found.text);
            a.numbers.push_back(found.entry);
            a.numbers.push_back(Lookup::FindEntry(dict, direction, w));
        }
    }
    return a;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const std::string_view data(reinterpret_cast<const char*>(bytes), size);
    const FuzzInput::CMemoryFile file(data);
    CDictFile dict;
    dict.SetPath(file.Path());
    if (dict.Open() != CDictFile::kOpenOk)
        return 0;
    const std::vector<std::string> words = FuzzInput::Words(data, 6);

    dict.SetSearchIndexes(false);
    const SAnswers scanned = Ask(dict, words);
    dict.SetSearchIndexes(true);
    const SAnswers indexed = Ask(dict, words);
    // A header may claim lists in order that are not: answers may then differ, reads may not
    // leave the file. A true claim, or none, answers as the scans do.
    const auto& header = dict.Header();
    if (header[DictFormat::kViewsTagWord] != DictFormat::kViewsTag ||
        (header[DictFormat::kViewsMaskWord] & ~dict.OrderedViewsMask() & 0xFFu) == 0) {
        FuzzInput::Require(scanned.texts == indexed.texts, "the indexes find the texts the scans find");
        FuzzInput::Require(scanned.numbers == indexed.numbers, "the indexes find the entries the scans find");
    }
    // The same file claiming every list in order.
    if (size >= DictFormat::kHeaderSize) {
        std::string claimed(data);
        LittleEndian::StoreU32(claimed.data() + 4 * DictFormat::kViewsTagWord, DictFormat::kViewsTag);
        LittleEndian::StoreU32(claimed.data() + 4 * DictFormat::kViewsMaskWord, 0xFFFFFFFFu);
        const FuzzInput::CMemoryFile claimedFile(claimed);
        CDictFile trusting;
        trusting.SetPath(claimedFile.Path());
        if (trusting.Open() == CDictFile::kOpenOk)
            Ask(trusting, words);
    }

    const int articles = dict.ArticleCount();
    const int reverse = dict.ReverseCount();
    std::vector<int> numbers = {-1, 0, 1, articles - 1, articles, reverse - 1, reverse, 0x7FFFFFFF};
    for (std::size_t i = 0; i + 4 <= size && numbers.size() < 16; i += size / 8 + 4)
        numbers.push_back(static_cast<int>(bytes[i] | bytes[i + 1] << 8 | bytes[i + 2] << 16) %
                          (articles + 2));
    for (const int i : numbers) {
        int homonym = 0;
        dict.GetArticle(i);
        dict.GetListHeadword(EDirection::Forward, i, homonym);
        dict.GetListHeadword(EDirection::Reverse, i, homonym);
        dict.GetReverseHeadword(i);
        PlainText::FromHtml(dict.RenderReverseEntry(i));
        HomonymOrdinal(dict, i, articles - 1);
    }
    std::string joined;
    for (std::size_t k = 5; k < words.size(); ++k)
        joined += (k > 5 ? "|" : "") + words[k];
    std::string follow;
    PageComposer::TranslatePage(dict, joined, follow);
    PageComposer::TranslateHtml(dict, "<HTML>", joined);
    PageComposer::TranslateHtmlRev(dict, "<HTML>", words.back());
    return 0;
}
