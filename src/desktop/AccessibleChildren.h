// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QAccessible>

#include <map>

// A part of a widget (a row, a link) with no parts and no object of its own: what every such part
// answers alike.
class CAccessibleLeaf : public QAccessibleInterface {
public:
    explicit CAccessibleLeaf(QAccessibleInterface* parent) : m_pParent(parent) {}

    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_pParent->window(); }
    QAccessibleInterface* parent() const override { return m_pParent; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}

protected:
    QAccessibleInterface* m_pParent;
};

// The child interfaces of a widget with many parts (a list's rows, a page's links), made by their
// place when a screen reader first asks for them, kept registered with Qt so that the reader can
// hold on to them, and deleted with the widget's own interface.
class CAccessibleChildren {
public:
    CAccessibleChildren() = default;
    CAccessibleChildren(const CAccessibleChildren&) = delete;
    CAccessibleChildren& operator=(const CAccessibleChildren&) = delete;
    ~CAccessibleChildren() {
        for (const auto& [index, id] : m_ids)
            QAccessible::deleteAccessibleInterface(id);
    }

    // The child at index, made by make() the first time.
    template <class FMake> QAccessibleInterface* At(int index, FMake make) {
        auto it = m_ids.find(index);
        if (it == m_ids.end())
            it = m_ids.emplace(index, QAccessible::registerAccessibleInterface(make())).first;
        return QAccessible::accessibleInterface(it->second);
    }
    // The place of a child made here, or -1.
    int IndexOf(const QAccessibleInterface* child) const {
        for (const auto& [index, id] : m_ids)
            if (QAccessible::accessibleInterface(id) == child)
                return index;
        return -1;
    }

private:
    std::map<int, QAccessible::Id> m_ids;
};
