// The view update hints: what changed, sent with CDocument::UpdateAllViews.
#pragma once

// The hint object named in each comment is passed as the third argument; 13 is not used.
enum ViewHint : long {
    HINT_REBUILD = 0,           // none: the session/flight structure changed wholesale
    HINT_CLEAR = 1,             // none: the contents are about to be cleared
    HINT_SETTINGS = 2,          // none: the Options were confirmed
    HINT_SAVE = 3,              // none: views write pending edits into the data
    HINT_SESSION_ADDED = 4,     // the new session
    HINT_FLIGHT_MOVING = 5,     // the flight, before it moves to another session
    HINT_FLIGHT_MOVED = 6,      // the flight, after the move
    HINT_FLIGHT_REMOVING = 7,   // the flight, before it leaves its session
    HINT_FLIGHT_REMOVED = 8,    // the flight, after it left its session
    HINT_FLIGHT_CHANGED = 9,    // the flight: name, shown flag, annotations or formulas
    HINT_SESSION_CHANGED = 10,  // the session: renamed
    HINT_SESSION_REMOVING = 11, // the session, before removal
    HINT_SESSION_REMOVED = 12,  // the session, after removal
    HINT_SELECTION = 14,        // the single selected tree item, or none
    HINT_GRAPH_DATA = 15,       // none: the flights shown in the graph or their drawing changed
};
