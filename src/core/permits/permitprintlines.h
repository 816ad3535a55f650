// What permit printing shares with the permit register: the permit models
// of its list box and the 24 print lines that a print preparation leaves
// for its preview. Each line is one of two lines of the unit name (dwmc),
// the address (dz) or the licensed items (xkxm) for permit model 1, 2 or 3
// or for the copy (f). The register owns them and never reads or writes
// them itself; they start empty and live as long as the register window.
#pragma once

#include <QString>
#include <QStringList>

namespace kelm {

// The list of 许可证型号, model 1 to 3; the text chooses the print layout.
inline const QStringList &permitModels()
{
    static const QStringList models = {QStringLiteral("NO.Y.05-1"), QStringLiteral("NO.Y.05-2"),
                                       QStringLiteral("NO.Y.05-3")};
    return models;
}

struct PermitPrintLines {
    QString dwmc11, dwmc12, dwmc21, dwmc22, dwmc31, dwmc32, dwmcf1, dwmcf2;
    QString dz11, dz12, dz21, dz22, dz31, dz32, dzf1, dzf2;
    QString xkxm11, xkxm12, xkxm21, xkxm22, xkxm31, xkxm32, xkxmf1, xkxmf2;
};

} // namespace kelm
