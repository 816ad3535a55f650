// The register windows the main menu opens, made in one place so the menu
// does not depend on each register's code.
#pragma once

class QWidget;

namespace kelm {

class FormWindow;

enum class RegisterWindow {
    Permits,  // 卫生许可证发放管理: xkz
    Reviews,  // 卫生许可证年审管理: ns
    Exams,    // 健康体检及卫生知识培训管理: frm_jktj
    Cases,    // 卫生行政处罚管理: xzcf_face
};

FormWindow *createRegisterWindow(RegisterWindow which, QWidget *parent);

} // namespace kelm
