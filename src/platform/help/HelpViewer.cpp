#include "platform/help/HelpViewer.h"

namespace help {

const component::ClassInfo& helpViewerClass() {
    static const component::ClassInfo info{
        .name = "HelpViewer",
        .progId = kHelpViewerProgId,
        .id = kHelpViewerClassId,
        .defaultInterface = "HelpViewer",
        .sourceInterface = "",
    };
    return info;
}

HelpViewer::~HelpViewer() = default;

}  // namespace help
