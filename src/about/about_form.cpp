#include "about/about_form.h"

#include "about/system_info.h"
#include "about/tool_help_commands.h"

namespace quorvel {

void frmAbout::cmdSysInfo_Click() { StartSysInfo(system_, launcher_, boxes_); }

void frmAbout::Label1_Click() { quorvel::Label1_Click(launcher_, boxes_); }

}  // namespace quorvel
