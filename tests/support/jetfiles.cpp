#include "support/jetfiles.h"

#include "import/readersettings.h"

#include <stdexcept>

namespace kelm::test {

QString jetTestFile(const QString &name) { return QStringLiteral(KELM_JET_TEST_FILES "/") + name; }

void useBuiltJetReader()
{
    jet::setReaderProgram(QString::fromUtf8(KELM_JETREAD));
    jet::setReaderSilenceLimit(std::chrono::seconds(10));
}

void KeptJetFile::begin(const jet::FileInfo &info, const std::vector<jet::Table> &defined)
{
    misorders += tables.empty() && m_next == 0 ? 0 : 1;
    file = info;
    tables = defined;
    rows.assign(defined.size(), {});
}

void KeptJetFile::beginTable(int table)
{
    misorders += m_open == -1 && table == m_next && size_t(table) < tables.size() ? 0 : 1;
    m_open = table;
}

void KeptJetFile::row(const std::vector<jet::Value> &values)
{
    if (m_open < 0 || values.size() != tables[size_t(m_open)].columns.size()) {
        ++misorders;
        return;
    }
    rows[size_t(m_open)].push_back(values);
    if (++m_rowsSeen == throwAfterRows)
        throw std::runtime_error("receiver gave up");
}

void KeptJetFile::endTable(int table)
{
    misorders += table == m_open ? 0 : 1;
    m_open = -1;
    m_next = table + 1;
}

int KeptJetFile::table(const QString &name) const
{
    for (size_t t = 0; t < tables.size(); ++t) {
        if (tables[t].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(t);
    }
    return -1;
}

int KeptJetFile::column(int table, const QString &name) const
{
    const auto &columns = tables[size_t(table)].columns;
    for (size_t c = 0; c < columns.size(); ++c) {
        if (columns[c].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(c);
    }
    return -1;
}

} // namespace kelm::test
