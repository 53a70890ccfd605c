#pragma once

#include <map>
#include <optional>
#include <tuple>

#include <QByteArray>
#include <QString>

// A small stand-in for the system registry: values are read, never written.
namespace RegistryRoot {
inline constexpr quint32 LocalMachine = 0x80000002u;
}

namespace RegistryType {
inline constexpr quint32 Text = 1; // a NUL-terminated string
inline constexpr quint32 Number = 4; // a 32-bit little-endian number
} // namespace RegistryType

struct RegistryValue {
    quint32 type = RegistryType::Text;
    QByteArray bytes; // as stored, in the system code page
};

class Registry {
public:
    virtual ~Registry() = default;
    // The value, or nothing when the key cannot be opened or the value read.
    virtual std::optional<RegistryValue> query(quint32 root, const QString &keyPath,
                                               const QString &valueName) const = 0;
};

// A registry held in memory. Empty, it is the registry of a system that has
// none, such as Linux.
class InMemoryRegistry : public Registry {
public:
    void set(quint32 root, const QString &keyPath, const QString &valueName, RegistryValue value)
    {
        m_values[{root, keyPath, valueName}] = std::move(value);
    }

    std::optional<RegistryValue> query(quint32 root, const QString &keyPath, const QString &valueName) const override
    {
        const auto found = m_values.find({root, keyPath, valueName});
        if (found == m_values.end())
            return std::nullopt;
        return found->second;
    }

private:
    std::map<std::tuple<quint32, QString, QString>, RegistryValue> m_values;
};
