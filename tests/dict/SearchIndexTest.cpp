// SPDX-License-Identifier: GPL-2.0-or-later
#include "support/TestDict.h"

#include <random>
#include <string>
#include <vector>

namespace {

// Every search with its indexes against the same search scanning, on random dictionaries of
// every kind: sorted, as given (lists out of order), with skipped headwords (span 64 or more),
// absent records (damaged offsets), equal headwords, empty and blank words, every prefix length.
class CDifferential {
public:
    explicit CDifferential(unsigned seed) : m_random(seed) {}

    std::string Word(int maxLength) {
        // Folded and unfolded letters, letters of equal weight (i/y/į, a/ą), blanks, a hyphen, a
        // digit and the code page's Lithuanian bytes: s, c, z and their marked letters of their
        // own weights.
        static const std::string kLetters = "aAbByiI \t-5\xE0\xC0\xE1\xEB\xF0\xD0sSc\xE8z\xFE";
        std::string w;
        const int length = static_cast<int>(m_random() % static_cast<unsigned>(maxLength + 1));
        for (int k = 0; k < length; ++k)
            w += kLetters[m_random() % kLetters.size()];
        return w;
    }
    int Below(int n) { return n <= 0 ? 0 : static_cast<int>(m_random() % static_cast<unsigned>(n)); }

    SDictContent Content() {
        SDictContent c;
        const int n = 1 + Below(60);
        for (int i = 0; i < n; ++i) {
            // Now and then a headword too long for its record, which every reader skips.
            const std::string h = Below(25) == 0 ? std::string(60 + Below(4), 'b') + Word(3) : Word(4);
            c.articles.push_back(
                Article(h, "<P>" + std::to_string(i) + "</P>", Below(4) == 0 ? 1 + Below(3) : 0));
            if (Below(8) == 0) // an equal headword right away
                c.articles.push_back(Article(h, "<P>twin</P>"));
        }
        const int articles = static_cast<int>(c.articles.size());
        for (auto& list : c.alternates)
            for (int i = Below(12); i > 0; --i)
                list.push_back({Word(5), Below(articles + 2) - 1}); // some entries outside the articles
        for (int i = Below(12); i > 0; --i)
            c.links.push_back({Word(4), Below(articles)});
        for (int i = 1 + Below(40); i > 0; --i) {
            SDictReverse r{Word(5), {}};
            for (int k = Below(4); k >= 0; --k)
                r.entries.push_back(Below(articles));
            c.reverse.push_back(r);
        }
        return c;
    }

    // Offsets of a few records moved so that the records leave their sections or run backwards.
    void Damage(std::string& image) {
        for (int k = Below(4); k > 0; --k) {
            const std::size_t section = 2 * static_cast<std::size_t>(Below(8)); // a table
            const std::size_t start = SectionStart(image, section);
            const std::size_t size = SectionStart(image, section + 1) - start;
            if (size < 8)
                continue;
            SetWordAt(image, start + 4 * static_cast<std::size_t>(Below(static_cast<int>(size / 4))),
                      static_cast<std::uint32_t>(m_random() % 4096));
        }
    }

    std::mt19937 m_random;
};

void Compare(CDictFile& fast, CDictFile& slow, const std::string& w, CDifferential& d,
             const std::string& what) {
    SCOPED_TRACE(what + " word '" + w + "'");
    int a = -1, b = -1;
    EXPECT_EQ(fast.FindForwardPrefix(w, a), slow.FindForwardPrefix(w, b));
    EXPECT_EQ(a, b);
    int from = d.Below(slow.ArticleCount() + 2) - 1;
    a = b = from;
    EXPECT_EQ(fast.FindForwardPrefix(w, a), slow.FindForwardPrefix(w, b)) << "from " << from;
    EXPECT_EQ(a, b);
    a = b = 7;
    EXPECT_EQ(fast.FindNearestForward(w, a), slow.FindNearestForward(w, b));
    EXPECT_EQ(a, b);
    EXPECT_EQ(fast.NearestForwardEntry(w), slow.NearestForwardEntry(w));
    EXPECT_EQ(fast.FirstForwardMatch(w), slow.FirstForwardMatch(w));
    EXPECT_EQ(fast.RenderForward(w, a), slow.RenderForward(w, b));
    EXPECT_EQ(a, b);
    EXPECT_EQ(fast.RenderLinkTarget(w, a), slow.RenderLinkTarget(w, b));
    EXPECT_EQ(a, b);

    a = fast.FindReversePrefix(w, -1);
    EXPECT_EQ(a, slow.FindReversePrefix(w, -1));
    EXPECT_EQ(fast.EntryList(a), slow.EntryList(a));
    from = d.Below(slow.ReverseCount() + 2) - 1;
    a = fast.FindReversePrefix(w, from);
    EXPECT_EQ(a, slow.FindReversePrefix(w, from)) << "from " << from;
    EXPECT_EQ(fast.EntryList(a), slow.EntryList(a));
    EXPECT_EQ(fast.FindNearestReverse(w), slow.FindNearestReverse(w));
    EXPECT_EQ(fast.RenderReverse(w, &a), slow.RenderReverse(w, &b));
    EXPECT_EQ(a, b);
    EXPECT_EQ(fast.FoldedReverseMatch(w, true), slow.FoldedReverseMatch(w, true));
    EXPECT_EQ(fast.FoldedReverseMatch(w, false), slow.FoldedReverseMatch(w, false));
}

TEST(SearchIndex, GivesWhatTheScanGivesOnEveryKindOfDictionary) {
    CDifferential d(20261209);
    int queries = 0;
    for (int round = 0; round < 150; ++round) {
        const SDictContent content = d.Content();
        const int kind = round % 3;
        std::string image =
            CDictWriter::Build(content, kind == 1 ? CDictWriter::EOrder::AsGiven : CDictWriter::EOrder::Sort);
        if (kind == 2)
            d.Damage(image);
        CTestDict fast(image), slow(image);
        ASSERT_EQ(fast.OpenResult(), slow.OpenResult());
        if (fast.OpenResult() != CDictFile::kOpenOk)
            continue;
        slow->SetSearchIndexes(false);
        const std::string what = "round " + std::to_string(round) + " kind " + std::to_string(kind);
        for (int w = 0; w < 256; ++w)
            EXPECT_EQ(fast->FirstLetterSlot(w), slow->FirstLetterSlot(w)) << what << " weight " << w;

        std::vector<std::string> words = {"", " ", "\t \t", "zzzz", "\xFE"};
        for (const SDictArticle& a : content.articles)
            for (std::size_t n = 0; n <= a.headword.size() + 1 && n <= 6; ++n)
                words.push_back(a.headword.substr(0, n) + (n > a.headword.size() ? "a" : ""));
        for (const SDictReverse& r : content.reverse)
            for (std::size_t n = 0; n <= r.text.size(); ++n)
                words.push_back(r.text.substr(0, n));
        for (int k = 0; k < 40; ++k)
            words.push_back(d.Word(6));
        for (const std::string& w : words) {
            Compare(*fast, *slow, w, d, what);
            ++queries;
        }
        if (::testing::Test::HasFailure())
            return;
    }
    EXPECT_GT(queries, 10000);
}

// The index changes nothing a caller sees, also when a list is out of order: the search falls
// back to the scan, which stops at the first headword after the word.
TEST(SearchIndex, AListOutOfOrderKeepsTheScansAnswer) {
    SDictContent c;
    c.articles = {Article("b", "<P>1</P>"), Article("a", "<P>2</P>"), Article("ab", "<P>3</P>")};
    CTestDict dict(c, CDictWriter::EOrder::AsGiven);
    int index = -1;
    // The scan from record 0 meets "b" after "a"... first and stops: "ab" at record 2 is never seen.
    EXPECT_EQ(dict->FindForwardPrefix("a", index), "");
    EXPECT_EQ(index, -1);
    EXPECT_EQ(dict->FindForwardPrefix("b", index), "b\t<P>1</P>");
    EXPECT_EQ(index, 0);
}

} // namespace
