// The print preview of a report: its pages one under the other at screen
// size, and a print command that sends them to the default printer.
// Caption: the report's caption followed by "打印预演".
#pragma once

#include "platform/formwindow.h"
#include "platform/pagemodel.h"

class QPushButton;

namespace kelm::report {

class ReportPreview : public FormWindow {
    Q_OBJECT
public:
    explicit ReportPreview(PageModel model, QWidget *parent = nullptr);

    const PageModel &model() const { return m_model; }
    QPushButton *printButton() const { return m_print; }

    void activated() override;

private:
    PageModel m_model;
    QPushButton *m_print = nullptr;
};

} // namespace kelm::report
