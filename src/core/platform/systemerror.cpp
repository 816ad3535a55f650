#include "platform/systemerror.h"

#include <cerrno>

using namespace Qt::StringLiterals;

namespace kelm {

QString systemErrorText(int error)
{
    switch (error) {
    case EACCES:
    case EPERM: return u"没有权限"_s;
    case EROFS: return u"所在的磁盘只能读取，不能写入"_s;
    case ENOSPC: return u"磁盘已满"_s;
    case EDQUOT: return u"磁盘配额已用完"_s;
    case EFBIG: return u"文件太大"_s;
    case ENOENT: return u"文件或文件夹不存在"_s;
    case EEXIST: return u"文件已存在"_s;
    case EISDIR: return u"这是一个文件夹，不是文件"_s;
    case ENOTDIR: return u"路径中有一部分不是文件夹"_s;
    case ENAMETOOLONG: return u"文件名太长"_s;
    case ELOOP: return u"路径中的链接太多"_s;
    case EBUSY:
    case ETXTBSY: return u"文件正被其他程序使用"_s;
    case EAGAIN: return u"文件正被其他程序锁定"_s;
    case ENOLCK: return u"无法锁定文件"_s;
    case EIO: return u"读写磁盘时出错"_s;
    case ENXIO:
    case ENODEV: return u"设备不存在或已断开"_s;
    case EMFILE:
    case ENFILE: return u"打开的文件太多"_s;
    case ENOMEM: return u"内存不足"_s;
    case EINTR: return u"操作被中断"_s;
    case ETIMEDOUT: return u"等待超时"_s;
    case ECONNREFUSED:
    case EHOSTUNREACH:
    case ENETUNREACH: return u"无法连接"_s;
    default: return u"系统错误（代码 %1）"_s.arg(error);
    }
}

} // namespace kelm
