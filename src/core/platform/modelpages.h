// The pages of a page model laid out whole (a document, the statistics
// sheet, a permit), drawn as any other pages.
#pragma once

#include "platform/pagesource.h"

namespace kelm::report {

class ModelPages : public PageSource {
public:
    explicit ModelPages(PageModel model) : m_model(std::move(model)) { }
    QString caption() const override { return m_model.caption; }
    PageSetup paper() const override { return m_model.page; }
    int pageCount() const override { return m_model.pageCount(); }
    Page page(int n) override { return m_model.pages.at(std::size_t(n)); }
    const PageModel &model() const { return m_model; }

private:
    PageModel m_model;
};

} // namespace kelm::report
