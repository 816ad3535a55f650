// The one row of a document table that a document window works on: the
// current case's, found and written only by its case number. A case whose
// row is missing gets it as the register files it (the case number, the
// issuing authority in the authority column where the document has one, and
// the case's flag of the document).
#pragma once

#include "cases/engine/lineflow.h"

#include <QStringList>

namespace kelm {

struct DocumentDescription;

class DocumentRow : public LineStore {
public:
    explicit DocumentRow(const DocumentDescription &d);

    // Finds the case's row, creating it when it is missing; returns the
    // values of the boxes in box order. Throws DbError.
    std::vector<QString> open(const QString &caseNo);
    QString caseNo() const { return m_caseNo; }
    // The boxes' values as the row holds them now. Throws DbError.
    std::vector<QString> read();

    QString fit(int box, const QString &text) const override;
    QString write(int box, const QString &text) override;

    // Deletes the case's row and clears the case's flag of the document.
    // Throws DbError.
    void remove();

private:
    QString m_table;
    int m_registerIndex;
    QStringList m_columns;
    QString m_caseNo;
};

} // namespace kelm
