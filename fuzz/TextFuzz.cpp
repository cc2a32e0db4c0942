// SPDX-License-Identifier: GPL-2.0-or-later
// The code page 1257 <-> UTF-8 conversions and the words people type, on any bytes: every byte
// string survives the way through UTF-8, every UTF-8 text the code page can hold survives the way
// through the code page, the ISO 8859-13 conversions are exact, and the collations stay orders.

#include "FuzzInput.h"
#include "dict/Cp1257.h"
#include "dict/UserText.h"
#include "dict/WordForms.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const std::string data(reinterpret_cast<const char*>(bytes), size);
    const std::string utf8 = Cp1257::ToUtf8(data);
    FuzzInput::Require(Cp1257::FromUtf8(utf8) == data, "code page 1257 -> UTF-8 -> code page 1257");
    FuzzInput::Require(Cp1257::DecodeUtf8(utf8).size() == data.size(), "one character per byte");

    // As UTF-8: whatever converts completely comes back the same through the code page.
    bool complete = false;
    const std::string word = UserText::ToCp1257(data, &complete);
    if (complete)
        FuzzInput::Require(UserText::ToCp1257(Cp1257::ToUtf8(word)) == word, "a complete word is stable");
    const std::string plain = Cp1257::FromUtf8(data);
    FuzzInput::Require(Cp1257::ToLower(plain).size() == plain.size(), "case keeps the length");

    // ISO 8859-13 for hunspell: exact both ways, or refused.
    if (const std::optional<std::string> iso = Iso885913::FromCp1257(data))
        FuzzInput::Require(Iso885913::ToCp1257(*iso) == data,
                           "code page 1257 -> ISO 8859-13 -> code page 1257");
    if (const std::optional<std::string> cp = Iso885913::ToCp1257(data))
        FuzzInput::Require(Iso885913::FromCp1257(*cp) == data,
                           "ISO 8859-13 -> code page 1257 -> ISO 8859-13");

    const std::size_t half = data.size() / 2;
    const std::string a = data.substr(0, half).c_str();
    const std::string b = data.substr(half).c_str();
    const int ab = CDictFile::CompareByWeight(a.c_str(), b.c_str());
    FuzzInput::Require(ab == -CDictFile::CompareByWeight(b.c_str(), a.c_str()),
                       "the weight order is antisymmetric");
    FuzzInput::Require(CDictFile::CompareByWeight(a.c_str(), a.c_str()) == 0, "a word weighs as itself");
    return 0;
}
