// The help component: HelpViewer, which shows a help page of the application.
//
// The control creates the class by kHelpViewerClassId through the component runtime, takes it as
// HelpViewer, and at each use hands it the host's client and database, then asks for a page:
//   ShowHelp(page, context, title, options)
//     page: the file name of the page in the installed help folder (HelpFolder.h), such as
//       "TpsParamPaiePlg.htm"; title: the title of the window that shows it. context and options
//       are kept for callers that pass an anchor or display options; the viewers of this
//       component read neither (the settings screen passes empty texts).
//   SetClient(client), SetDatabase(database): the session and the database of the caller; either
//     may hold nothing. The pages do not depend on them: a viewer may record them, never keeps
//     them alive (a database that the control releases is not held open by its help).
// Failures (HelpErrors.h): ShowHelp of a page missing from the help folder fails with
// kErrNoSuchPage, of a name leaving the folder with kErrBadPageName.
#pragma once

#include <string>

#include "platform/component/Object.h"
#include "platform/component/TypeInfo.h"
#include "platform/mvdb/Database.h"
#include "platform/mvdb/DbClient.h"

namespace help {

inline constexpr const char* kHelpViewerClassId = "{8E90B3B8-90A7-428F-BCF1-9D2B78205380}";
inline constexpr const char* kHelpViewerProgId = "OstrevanAide.HelpViewer";

// The class as the runtime registers it: HelpViewer, creatable, not a control.
const component::ClassInfo& helpViewerClass();

class HelpViewer : public component::Object {
public:
    ~HelpViewer() override;

    // in the order of the component's slots
    virtual void ShowHelp(std::string& page, std::string& context, std::string& title,
                          std::string& options) = 0;
    virtual void SetClient(component::Ref<mvdb::DbClient> client) = 0;      // may hold nothing
    virtual void SetDatabase(component::Ref<mvdb::Database> database) = 0;  // may hold nothing
};

}  // namespace help
