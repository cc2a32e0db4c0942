// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// A main window started on a program folder of its own: a small dictionary, the HTM pages,
// private settings folders and a private temporary folder, all removed after the test.

#include "app/RegKey.h"
#include "app/ZodynasApp.h"
#include "app/ZodynasDlg.h"
#include "support/DialogParts.h"
#include "support/TestDict.h"
#include "support/TestForms.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QUrl>

class CDialogFixture : public ::testing::Test {
protected:
    void SetUp() override {
        m_bHadTmp = qEnvironmentVariableIsSet("TMPDIR");
        m_strOldTmp = qEnvironmentVariable("TMPDIR");
        qputenv("TMPDIR", QByteArray::fromStdString(m_tmp.File("")));
        CRegKey::SetRoots(QString::fromStdString(m_config.File("user")),
                          QString::fromStdString(m_config.File("machine")));
        WriteBytes(m_app.File("LEKSTAR.dic"), CDictWriter::Build(Content()));
        std::filesystem::create_directory(m_app.File("HTM"));
        WriteBytes(m_app.File("HTM/HH.htm"), "<HTML><BODY>");
        WriteBytes(m_app.File("HTM/Apie.htm"), "<HTML><BODY><P>Apie</P></BODY></HTML>");
        WriteBytes(m_app.File("HTM/Apie_s.htm"), "<HTML><BODY><P>Apie s</P></BODY></HTML>");
        WriteTestForms(m_forms);
        std::string program = m_app.File("");
        program.pop_back();
        m_theApp.SetProgramDir(program);
        m_theApp.MeasureScreen(QGuiApplication::primaryScreen());
    }
    void TearDown() override {
        if (m_bHadTmp)
            qputenv("TMPDIR", m_strOldTmp.toUtf8());
        else
            qunsetenv("TMPDIR");
    }

    // The dictionary the program folder holds.
    virtual SDictContent Content() const {
        SDictContent c;
        c.articles = {Article("cat", "<P>katinas</P>"), Article("house", "<P>1. namas</P>")};
        c.reverse = {{"namas", {1}}};
        return c;
    }

    std::unique_ptr<CZodynasDlg> Start() {
        auto dlg = std::make_unique<CZodynasDlg>(m_theApp);
        // Small hunspell data of the tests' own, whatever the machine has installed.
        dlg->SetWordFormsData(m_forms.File("en"), m_forms.File("lt"));
        dlg->SetMessageBoxHandler([this](const std::string& text, QMessageBox::Icon icon) {
            m_messages.push_back(text);
            m_icons.push_back(icon);
        });
        dlg->SetUrlOpener([this](const QUrl& url) {
            m_opened.push_back(url);
            return true;
        });
        m_bInitResult = dlg->OnInitDialog();
        return dlg;
    }

    QSettings UserSettings() const {
        return QSettings(QSettings::NativeFormat, QSettings::UserScope, "Kvarsena", "LEKSTAR");
    }

    CTempDir m_app, m_config, m_tmp, m_forms;
    QString m_strOldTmp;
    bool m_bHadTmp = false;
    CZodynasApp m_theApp;
    std::vector<std::string> m_messages;
    std::vector<QMessageBox::Icon> m_icons;
    std::vector<QUrl> m_opened;
    bool m_bInitResult = false;
};
