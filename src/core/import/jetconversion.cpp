#include "import/jetconversion.h"

#include "data/connection.h"
#include "data/prepare.h"
#include "platform/database.h"

using namespace Qt::StringLiterals;

namespace kelm::jet {

namespace {

// What the reader is asked: whether to stop, because the user asked or
// because the conversion has refused the file and needs nothing more.
class ReadingProgress : public Progress {
public:
    ReadingProgress(Progress &user, const JetConverter &converter) : m_user(user), m_converter(converter) { }
    void stage(const QString &, qint64, bool) override { }
    void advance(qint64) override { }
    bool cancelled() const override { return m_converter.stopped() || m_user.cancelled(); }

private:
    Progress &m_user;
    const JetConverter &m_converter;
};

Conversion failed(ConversionFailure failure, const QString &reason) { return {failure, reason, {}}; }

} // namespace

Conversion convertJetFile(const QString &jetPath, const QString &target, Progress &progress)
{
    return convertJet([&](Receiver &r, Progress &p) { return readJetFile(jetPath, r, p); }, target, progress);
}

Conversion convertJet(const JetSource &source, const QString &target, Progress &progress)
{
    progress.stage(u"正在读取文件……"_s, 0, true);
    try {
        auto db = Database::createNew(target, storedSchema());
        Transaction tx(*db);
        prepareTables(*db);
        JetConverter converter(*db, progress);
        ReadingProgress reading(progress, converter);
        const ReadOutcome read = source(converter, reading);
        // A reading that failed before it heard of a refusal tells what is
        // wrong with the file first.
        switch (read.failure) {
        case ReadFailure::None:
        case ReadFailure::Cancelled: break;
        default: return failed(ConversionFailure::Refused, read.detail);
        }
        if (converter.stopped())
            return failed(converter.failure(), converter.reason());
        if (read.failure == ReadFailure::Cancelled || progress.cancelled())
            return failed(ConversionFailure::Cancelled, {});
        converter.finish();
        if (converter.stopped())
            return failed(converter.failure(), converter.reason());
        progress.stage(u"正在保存转换后的数据库……"_s, 0, false);
        tx.commit();
        return {ConversionFailure::None, {}, converter.summary()};
    } catch (const DbError &e) {
        return failed(ConversionFailure::Refused, e.message());
    }
}

} // namespace kelm::jet
