// What the permit register and the annual review window share of the
// register window design: one permit of table wsxkz at a time in a bound
// record with its navigator, the editing state that every edit starts and
// every move ends, the close question, 取消, 查询, and the return protocol
// through the current permit number and the window's own return flag.
#pragma once

#include "data/appvalues.h"
#include "platform/boundrecord.h"
#include "platform/formwindow.h"

#include <functional>
#include <vector>

class QComboBox;

namespace kelm {

class RecordNavigator;

class PermitWindow : public FormWindow {
    Q_OBJECT
public:
    enum class State { Browsing, Editing, Empty };
    // Opens a query window over opener; `after` runs once it closed.
    using QueryOpener = std::function<void(FormWindow *opener, std::function<void()> after)>;

    State state() const { return m_state; }
    BoundRecord *record() const { return m_record; }

    void activated() override;
    void deactivated() override;
    bool queryClose() override;
    void unloaded() override;

protected:
    PermitWindow(const RecordSource &source, ReturnSlot slot, QueryOpener openQuery, QWidget *parent);

    // Binds Text1(index), a line or a multi-line box; with `edits` each
    // change of its text starts editing.
    void bindBox(int index, const QString &column, QWidget *box, bool edits = true);
    // A list box: choosing an entry or typing its text starts editing.
    void bindListBox(const QString &column, QComboBox *box);
    QWidget *box(int index) const { return m_text.at(std::size_t(index)); }
    QString text(int index) const;

    // Places the navigator and shows the first permit.
    void openRecord();
    void setState(State state);
    // Enables the controls of a state.
    virtual void applyState(State state) = 0;
    // The buttons that becoming active enables and disables.
    virtual void setActiveButtons() = 0;
    virtual bool save() = 0;
    void cancel();
    void query();

    BoundRecord *m_record;
    RecordNavigator *m_navigator;

private:
    void edited();

    ReturnSlot m_slot;
    QueryOpener m_openQuery;
    State m_state = State::Browsing;
    std::vector<QWidget *> m_text; // Text1(i)
};

} // namespace kelm
