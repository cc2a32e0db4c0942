// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "support/DialogFixture.h"

// A window over a small dictionary: homonyms (bank), a link (house -> home), three reverse
// records and forty more rows to scroll through.
class CWindowFixture : public CDialogFixture {
protected:
    SDictContent Content() const override {
        SDictContent c;
        c.articles = {Article("bank", "<P>1. krantas</P>", 1),
                      Article("bank", "<P>1. bankas</P>", 2),
                      Article("cat", "<P>1. katinas, kat\xEB</P>"),
                      Article("dog", "<P>1. \xF0uo</P>"),
                      Article("house", "<P>1. namas <A HREF=\"home\">home</A></P>"),
                      Article("home", "<P>1. namai</P>")};
        for (int i = 0; i < 40; ++i)
            c.articles.push_back(Article("w" + std::to_string(100 + i), "<P>" + std::to_string(i) + "</P>"));
        c.links = {{"home", 5}};
        c.reverse = {{"katinas", {2}}, {"namas", {4}}, {"\xF0uo", {3}}};
        return c;
    }

    std::unique_ptr<CZodynasDlg> StartWithHistory() {
        {
            QSettings user = UserSettings();
            user.setValue("Eiga", 1);
            user.setValue("Zodis", "dog");
        }
        auto dlg = Start();
        return dlg;
    }
};
