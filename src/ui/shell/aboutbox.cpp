#include "shell/aboutbox.h"

#include "platform/programfiles.h"
#include "platform/units.h"

#include <QLabel>
#include <QPixmap>

using namespace Qt::StringLiterals;

namespace kelm {

AboutBox::AboutBox(QWidget *parent) : FormWindow(parent)
{
    setObjectName(u"frm_bq"_s);
    setWindowTitle(u"版权信息"_s);
    setFixedSize(px(5970), px(3330));

    auto *logo = new QLabel(this);
    logo->setGeometry(pxRect(360, 360, 1440, 1440));
    logo->setScaledContents(true);
    logo->setPixmap(QPixmap(programFile(u"picture/kelm.png"_s)));
    logo->setAccessibleName(u"Kelm"_s);

    auto *name = new QLabel(u"Kelm2002"_s, this);
    name->setFont(songti(18, true));
    name->setGeometry(pxRect(2160, 480, 3600, 480));

    auto *about = new QLabel(u"卫生监督管理信息系统\n卫生许可、健康体检及卫生行政处罚管理\n\n版权所有 (C) 2002"_s, this);
    about->setGeometry(pxRect(2160, 1080, 3600, 1800));
    about->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    about->setWordWrap(true);
}

} // namespace kelm
