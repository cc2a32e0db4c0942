// SPDX-License-Identifier: GPL-2.0-or-later
#include "lists/VListBoxAccessible.h"

#include "desktop/QtText.h"
#include "lists/VListBox.h"

#include <QScrollBar>

#include <mutex>

namespace {

// One row of a list, alive as long as the list's interface is.
class CRowAccessible : public CAccessibleLeaf {
public:
    CRowAccessible(CVListBoxAccessible* parent, CVListBox* list, int row)
        : CAccessibleLeaf(parent), m_pList(list), m_nRow(row) {}

    bool isValid() const override { return m_pList != nullptr && m_nRow < m_pParent->childCount(); }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? CVListBoxAccessible::RowName(*m_pList, m_nRow) : QString();
    }
    QRect rect() const override {
        const int y = m_pList->TopMargin() + (m_nRow - m_pList->TopIndex()) * m_pList->RowHeight();
        const QRect local(0, y, m_pList->viewport()->width(), m_pList->RowHeight());
        if (!m_pList->viewport()->rect().intersects(local))
            return {};
        return QRect(m_pList->viewport()->mapToGlobal(local.topLeft()), local.size());
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.selectable = true;
        s.focusable = true;
        s.selected = m_nRow == m_pList->Selection();
        s.focused = s.selected && m_pParent->state().focused;
        s.invisible = rect().isEmpty();
        s.offscreen = s.invisible;
        return s;
    }

private:
    CVListBox* m_pList;
    int m_nRow;
};

QAccessibleInterface* Factory(const QString& className, QObject* object) {
    auto* list = qobject_cast<CVListBox*>(object);
    if (list == nullptr ||
        (className != QLatin1String("CVListBox") && className != QLatin1String("CVListBoxHistory")))
        return nullptr;
    return new CVListBoxAccessible(list);
}

} // namespace

CVListBoxAccessible::CVListBoxAccessible(CVListBox* list) : QAccessibleWidget(list, QAccessible::List) {}

CVListBoxAccessible::~CVListBoxAccessible() = default;

CVListBox* CVListBoxAccessible::List() const {
    return static_cast<CVListBox*>(widget());
}

int CVListBoxAccessible::childCount() const {
    const CVListBox* list = List();
    // The index counts its last row, the history the number of its items.
    return list->IsHistory() ? list->LastIndex() : list->LastIndex() + 1;
}

QAccessibleInterface* CVListBoxAccessible::child(int index) const {
    if (index < 0 || index >= childCount())
        return nullptr;
    return m_rows.At(
        index, [&] { return new CRowAccessible(const_cast<CVListBoxAccessible*>(this), List(), index); });
}

int CVListBoxAccessible::indexOfChild(const QAccessibleInterface* child) const {
    return m_rows.IndexOf(child);
}

QAccessibleInterface* CVListBoxAccessible::childAt(int x, int y) const {
    const CVListBox* list = List();
    const QPoint local = list->viewport()->mapFromGlobal(QPoint(x, y));
    if (!list->viewport()->rect().contains(local) || list->RowHeight() <= 0)
        return nullptr;
    return child(list->TopIndex() + (local.y() - list->TopMargin()) / list->RowHeight());
}

QAccessibleInterface* CVListBoxAccessible::focusChild() const {
    return state().focused ? child(List()->Selection()) : nullptr;
}

QString CVListBoxAccessible::RowName(const CVListBox& list, int row) {
    int homonym = 0;
    const QString text = QtText::FromCp1257(list.RowText(row, homonym));
    // The marks the forward index draws beside the word.
    if (list.IsHistory() || list.IsReverse() || homonym == 0)
        return text;
    if (homonym == CVListBox::kAbbreviationHomonym)
        return text + QStringLiteral(" sutr.");
    static const char16_t kSuperscripts[] = u"\u2070\u00B9\u00B2\u00B3\u2074\u2075\u2076\u2077\u2078\u2079";
    QString digits;
    for (const QChar c : QString::number(homonym))
        digits += QChar(kSuperscripts[c.unicode() - u'0']);
    return text + digits;
}

void CVListBoxAccessible::InstallFactory() {
    static std::once_flag s_once;
    std::call_once(s_once, [] { QAccessible::installFactory(Factory); });
}
