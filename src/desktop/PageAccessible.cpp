// SPDX-License-Identifier: GPL-2.0-or-later
#include "desktop/PageAccessible.h"

#include "desktop/WebBrowser2.h"

#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <mutex>

namespace {

// One link of the page, by its place among the page's links; it reads the link anew at every
// question, so that it follows the page shown.
class CLinkAccessible : public CAccessibleLeaf,
                        public QAccessibleActionInterface,
                        public QAccessibleHyperlinkInterface {
public:
    CLinkAccessible(CPageAccessible* parent, CWebBrowser2* page, int index)
        : CAccessibleLeaf(parent), m_pPage(page), m_nIndex(index) {}

    bool isValid() const override { return m_nIndex < m_pParent->childCount(); }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ActionInterface)
            return static_cast<QAccessibleActionInterface*>(this);
        if (type == QAccessible::HyperlinkInterface)
            return static_cast<QAccessibleHyperlinkInterface*>(this);
        return nullptr;
    }
    QString text(QAccessible::Text t) const override {
        const CWebBrowser2::SLink link = Link();
        if (t == QAccessible::Name)
            return link.text.trimmed();
        return t == QAccessible::Description ? link.href : QString();
    }
    QRect rect() const override {
        const CWebBrowser2::SLink link = Link();
        QTextCursor cursor(m_pPage->document());
        cursor.setPosition(link.start);
        QRect local = m_pPage->cursorRect(cursor);
        cursor.setPosition(link.end);
        local = local.united(m_pPage->cursorRect(cursor));
        if (!m_pPage->viewport()->rect().intersects(local))
            return {};
        return QRect(m_pPage->viewport()->mapToGlobal(local.topLeft()), local.size());
    }
    QAccessible::Role role() const override { return QAccessible::Link; }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.focusable = true;
        s.linked = true;
        s.focused = m_pPage->hasFocus() && m_pPage->FocusedLink() == m_nIndex;
        s.invisible = rect().isEmpty();
        s.offscreen = s.invisible;
        return s;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (name == pressAction() && isValid())
            m_pPage->FollowLink(Link().href);
    }
    QStringList keyBindingsForAction(const QString& name) const override {
        return name == pressAction() ? QStringList{QStringLiteral("Return")} : QStringList();
    }

    QString anchor() const override { return Link().text; }
    QString anchorTarget() const override { return Link().href; }
    int startIndex() const override { return Link().start; }
    int endIndex() const override { return Link().end; }

private:
    CWebBrowser2::SLink Link() const {
        const std::vector<CWebBrowser2::SLink> links = m_pPage->Links();
        return m_nIndex < static_cast<int>(links.size()) ? links[static_cast<std::size_t>(m_nIndex)]
                                                         : CWebBrowser2::SLink{};
    }

    CWebBrowser2* m_pPage;
    int m_nIndex;
};

QAccessibleInterface* Factory(const QString& className, QObject* object) {
    auto* page = qobject_cast<CWebBrowser2*>(object);
    if (page == nullptr || className != QLatin1String("CWebBrowser2"))
        return nullptr;
    return new CPageAccessible(page);
}

} // namespace

CPageAccessible::CPageAccessible(CWebBrowser2* page) : QAccessibleWidget(page, QAccessible::Document) {}

CPageAccessible::~CPageAccessible() = default;

CWebBrowser2* CPageAccessible::Page() const {
    return static_cast<CWebBrowser2*>(widget());
}

void* CPageAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessible::State CPageAccessible::state() const {
    QAccessible::State s = QAccessibleWidget::state();
    s.readOnly = true;
    s.multiLine = true;
    s.selectableText = true;
    return s;
}

int CPageAccessible::childCount() const {
    return static_cast<int>(Page()->Links().size());
}

QAccessibleInterface* CPageAccessible::child(int index) const {
    if (index < 0 || index >= childCount())
        return nullptr;
    return m_links.At(index,
                      [&] { return new CLinkAccessible(const_cast<CPageAccessible*>(this), Page(), index); });
}

int CPageAccessible::indexOfChild(const QAccessibleInterface* child) const {
    return m_links.IndexOf(child);
}

QAccessibleInterface* CPageAccessible::childAt(int x, int y) const {
    const int offset = offsetAtPoint(QPoint(x, y));
    const std::vector<CWebBrowser2::SLink> links = Page()->Links();
    for (std::size_t i = 0; i < links.size(); ++i)
        if (offset >= links[i].start && offset < links[i].end)
            return child(static_cast<int>(i));
    return nullptr;
}

QAccessibleInterface* CPageAccessible::focusChild() const {
    return Page()->hasFocus() ? child(Page()->FocusedLink()) : nullptr;
}

void CPageAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
    const QTextCursor cursor = Page()->textCursor();
    const bool bSelected = selectionIndex == 0 && cursor.hasSelection();
    *startOffset = bSelected ? cursor.selectionStart() : 0;
    *endOffset = bSelected ? cursor.selectionEnd() : 0;
}

int CPageAccessible::selectionCount() const {
    return Page()->textCursor().hasSelection() ? 1 : 0;
}

void CPageAccessible::addSelection(int startOffset, int endOffset) {
    setSelection(0, startOffset, endOffset);
}

void CPageAccessible::removeSelection(int selectionIndex) {
    if (selectionIndex != 0)
        return;
    QTextCursor cursor = Page()->textCursor();
    cursor.clearSelection();
    Page()->setTextCursor(cursor);
}

void CPageAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
    if (selectionIndex != 0)
        return;
    const int last = characterCount();
    QTextCursor cursor(Page()->document());
    cursor.setPosition(std::clamp(startOffset, 0, last));
    cursor.setPosition(std::clamp(endOffset, 0, last), QTextCursor::KeepAnchor);
    Page()->setTextCursor(cursor);
}

int CPageAccessible::cursorPosition() const {
    return Page()->textCursor().position();
}

void CPageAccessible::setCursorPosition(int position) {
    QTextCursor cursor(Page()->document());
    cursor.setPosition(std::clamp(position, 0, characterCount()));
    Page()->setTextCursor(cursor);
}

QString CPageAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Value)
        return Page()->toPlainText();
    return QAccessibleWidget::text(t);
}

QString CPageAccessible::text(int startOffset, int endOffset) const {
    const QString all = Page()->toPlainText();
    const qsizetype start = std::clamp<qsizetype>(startOffset, 0, all.size());
    const qsizetype end = std::clamp<qsizetype>(endOffset, start, all.size());
    return all.mid(start, end - start);
}

int CPageAccessible::characterCount() const {
    // The document counts one more than its text: the end of its last paragraph.
    return std::max(Page()->document()->characterCount() - 1, 0);
}

QRect CPageAccessible::characterRect(int offset) const {
    QTextCursor cursor(Page()->document());
    cursor.setPosition(std::clamp(offset, 0, characterCount()));
    const QRect start = Page()->cursorRect(cursor);
    cursor.movePosition(QTextCursor::NextCharacter);
    const QRect local = start.united(Page()->cursorRect(cursor));
    return QRect(Page()->viewport()->mapToGlobal(local.topLeft()), local.size());
}

int CPageAccessible::offsetAtPoint(const QPoint& point) const {
    const QPoint local = Page()->viewport()->mapFromGlobal(point);
    if (!Page()->viewport()->rect().contains(local))
        return -1;
    return Page()->cursorForPosition(local).position();
}

void CPageAccessible::scrollToSubstring(int startIndex, int endIndex) {
    const int last = characterCount();
    QTextCursor cursor(Page()->document());
    cursor.setPosition(std::clamp(endIndex, 0, last));
    Page()->setTextCursor(cursor);
    Page()->ensureCursorVisible();
    cursor.setPosition(std::clamp(startIndex, 0, last));
    Page()->setTextCursor(cursor);
    Page()->ensureCursorVisible();
}

QString CPageAccessible::attributes(int offset, int* startOffset, int* endOffset) const {
    *startOffset = offset;
    *endOffset = offset;
    return {};
}

void CPageAccessible::InstallFactory() {
    static std::once_flag s_once;
    std::call_once(s_once, [] { QAccessible::installFactory(Factory); });
}
