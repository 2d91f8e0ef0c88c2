#include "commands/link_report.h"

namespace zat {

void showLinkReason(const LinkReason& reason, Prompts& prompts) {
    if (reason.ok()) return;
    const FieldMessage message = linkMessage(reason);
    prompts.show(message.text, message.caption, message.icon, MessageButtons::Ok);
}

}  // namespace zat
