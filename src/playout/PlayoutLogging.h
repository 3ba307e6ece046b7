#pragma once

// The logging side of the playout interface. The tool holds it for its whole run
// but asks nothing of it.
class PlayoutLogging {};
