// The 22 case documents as the register knows them: box k of the register,
// its table, captions, authority column and report.
#pragma once

#include <QString>
#include <array>

namespace kelm {

// The issuing organisation, written with its seal note into the authority
// column of a new document row.
inline const QString issuingAuthority = QStringLiteral("Quessa区卫生局");
inline const QString sealNote = QStringLiteral("（盖章）");
QString authorityText(); // issuingAuthority + sealNote

struct DocumentEntry {
    int index;                // register index k: box Check1(k), column bg(k+1)
    QString table;            // document table, keyed by dabh
    QString boxCaption;       // caption of the register's box
    QString windowCaption;    // caption of the document window
    QString authorityColumn;  // column receiving authorityText(), or empty
    QString report;           // report name
    int command;              // report data source command number

    QString windowName() const { return QStringLiteral("frm_") + table; }
    QString flagColumn() const { return QStringLiteral("bg") + QString::number(index + 1); }
};

constexpr int documentCount = 22;

const std::array<DocumentEntry, documentCount> &documentCatalogue();
const DocumentEntry &documentAt(int index);
// nullptr when no document has that table.
const DocumentEntry *documentByTable(const QString &table);

} // namespace kelm
