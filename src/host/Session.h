// The start-up that the window and the headless host share.
//
// A Session opens the database that the configuration names (Configuration.h) as the
// configuration's user, whom the database notes with each write and the client object names,
// makes the help viewer class creatable in the process with the host's own viewer, then start()
// creates the control by its name through the component runtime (registering the control's
// library first when the runtime does not know it: the installed library when the host runs from
// an installed tree, else the build's), lets the host prepare the control's surface, hands the
// control its database, its client and the user's rights, and calls Init. The rights give the user
// the configured level, lowered to read only on a database that the user may not write. Failures:
// the constructor throws when the configuration names no database or cannot be read, or when the
// database cannot be opened (missing, no database, locked): nothing is started then. Every failure
// of start() goes to the host's error handler, and start() stops at the first one; after a failed
// creation there is no control.
#pragma once

#include <exception>
#include <functional>

#include "host/Configuration.h"
#include "host/Options.h"
#include "platform/component/Dispatch.h"
#include "platform/component/Runtime.h"
#include "platform/mvdb/Database.h"
#include "platform/toolkit/Surface.h"

namespace host {

class Session {
public:
    using ErrorHandler = std::function<void(const std::exception&)>;
    // Readies the control's surface before the control does any work: its message service, its
    // error handler, its views.
    using SurfacePreparation = std::function<void(toolkit::Surface&)>;

    Session(const Options& options, component::Factory helpViewer);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    void start(const ErrorHandler& onError, const SurfacePreparation& prepare);

    const mvdb::Database& database() const { return database_; }
    // The control's surface and interface; nullptr before start() or when creation failed.
    toolkit::Surface* surface() const { return surface_; }
    component::Dispatchable* control() const { return control_; }

private:
    void createControl();
    void handOver();

    Configuration configuration_;
    mvdb::Database database_;
    std::int32_t accessLevel_;
    component::ClassRegistration helpViewerClass_;
    component::ObjectRef object_;  // released first, before the help class and the database
    toolkit::Surface* surface_ = nullptr;
    component::Dispatchable* control_ = nullptr;
};

}  // namespace host
