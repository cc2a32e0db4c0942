// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// What a dictionary file holds, as plain (unscrambled) code page 1257 text. Entry numbers in the
// headword lists and the reverse records are indexes into `articles` as given here.
struct SDictArticle {
    std::string headword;     // the main list's record for this article
    std::int32_t homonym = 0; // 0 none, 999 abbreviation, n homonym n
    std::string text;         // normally headword, TAB, HTML body
};

struct SDictHeadword {
    std::string text;
    std::int32_t entry = 0;
};

struct SDictReverse {
    std::string text;                  // the Lithuanian headword
    std::vector<std::int32_t> entries; // the English articles, in the order they are shown
};

struct SDictContent {
    std::vector<SDictArticle> articles;
    std::array<std::vector<SDictHeadword>, 4> alternates;
    std::vector<SDictHeadword> links;
    std::vector<SDictReverse> reverse;
    // Inflected Lithuanian words, each with the index in `reverse` of its dictionary form.
    std::vector<SDictHeadword> lithuanianForms;
};

// Writes the dictionary file layout (see DictFormat.h) from in-memory lists.
class CDictWriter {
public:
    enum class EOrder {
        // Articles sorted by their headwords under the forward collation (stably, so equal
        // headwords keep their given order) with every entry number renumbered to match;
        // alternate and link lists sorted the same way; the reverse list by letter weights.
        Sort,
        // Everything written exactly as given: for tests that need a particular file.
        AsGiven,
    };

    // The file image. An entry number outside the articles is written unchanged (Sort renumbers
    // only valid ones).
    static std::string Build(const SDictContent& content, EOrder order = EOrder::Sort);
    // Writes the image to path through a temporary file renamed into place, with the lists it
    // finds in order and whole recorded in the header (DictFormat::kViewsTagWord); false with a
    // message in error when that fails.
    static bool WriteFile(const std::string& path, const SDictContent& content, EOrder order,
                          std::string* error);
    // Opens the file at path as a reader would and records in its header which lists a reader
    // may take as they stand; false when the header cannot be written.
    static bool RecordOrderedViews(const std::string& path);

    // Text of an article from its parts: headword, TAB, body.
    static std::string ArticleText(const std::string& headword, const std::string& body);
};
