#include "core/setup/company_info.h"

namespace tolvane {

void CompanyInfo::setName(const QString& name)
{
    set(name, m_address);
}

void CompanyInfo::setAddress(const QString& address)
{
    set(m_name, address);
}

void CompanyInfo::set(const QString& name, const QString& address)
{
    if (name == m_name && address == m_address)
        return;
    m_name = name;
    m_address = address;
    emit changed();
}

} // namespace tolvane
