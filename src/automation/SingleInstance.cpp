// SPDX-License-Identifier: GPL-2.0-or-later
#include "automation/SingleInstance.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>

#include <utility>

CSingleInstance::CSingleInstance(const QDBusConnection& bus, QObject* parent) : QObject(parent), m_bus(bus) {}

CSingleInstance::~CSingleInstance() {
    if (m_bObjectRegistered)
        m_bus.unregisterObject(kObjectPath);
    if (m_bOwnsName)
        m_bus.unregisterService(kServiceName);
}

CSingleInstance::EClaim CSingleInstance::Claim() {
    if (!m_bus.isConnected() || m_bus.interface() == nullptr)
        return EClaim::NoBus;
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply =
        m_bus.interface()->registerService(kServiceName, QDBusConnectionInterface::DontQueueService,
                                           QDBusConnectionInterface::DontAllowReplacement);
    if (!reply.isValid())
        return EClaim::NoBus;
    m_bOwnsName = reply.value() == QDBusConnectionInterface::ServiceRegistered;
    if (!m_bOwnsName)
        return EClaim::Taken;
    m_bObjectRegistered =
        m_bus.registerObject(kObjectPath, kInterface, this, QDBusConnection::ExportScriptableSlots);
    return EClaim::First;
}

void CSingleInstance::Serve(std::function<void(const QString& word)> show) {
    m_fnShow = std::move(show);
    const QStringList pending = std::exchange(m_pending, {});
    for (const QString& word : pending)
        m_fnShow(word);
}

bool CSingleInstance::AskFirst(const QDBusConnection& bus, const QString& word) {
    if (!bus.isConnected())
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(kServiceName, kObjectPath, kInterface, "Show");
    call << word;
    const QDBusMessage answer = bus.call(call, QDBus::Block, kAskTimeoutMs);
    return answer.type() == QDBusMessage::ReplyMessage;
}

void CSingleInstance::Show(const QString& word) {
    if (m_fnShow)
        m_fnShow(word);
    else
        m_pending.push_back(word);
}
