#pragma once
// The shop's name and contact line ("City, Phone, Fax && Email:"): written at the end of every
// test file and at the foot of every printed graph. Read from the configuration at start-up,
// typed into the Company Info dialog or the splash window's fields, saved at program end.
#include <QObject>
#include <QString>

namespace tolvane {

class CompanyInfo : public QObject {
    Q_OBJECT
public:
    explicit CompanyInfo(QObject* parent = nullptr) : QObject(parent) {}

    QString name() const { return m_name; }
    QString address() const { return m_address; }
    // Both must be given for a test file's closing lines.
    bool isComplete() const { return !m_name.isEmpty() && !m_address.isEmpty(); }

    void setName(const QString& name);
    void setAddress(const QString& address);
    void set(const QString& name, const QString& address);

signals:
    void changed();

private:
    QString m_name;
    QString m_address;
};

} // namespace tolvane
