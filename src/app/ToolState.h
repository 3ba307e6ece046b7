#pragma once

#include "app/RunOptions.h"
#include "playout/AudioSettings.h"
#include "playout/Directory.h"
#include "playout/PlayoutGeneral.h"
#include "playout/StationLibrary.h"

#include <QString>
#include <functional>
#include <memory>

// The tool-wide state that the start-up sets and every later step reads: the
// profile in use, the run's options and the playout system's library objects.
struct ToolState {
    QString CurrentProfile;
    // The command line, as the program was started with it.
    RunOptions Options;
    // Where a run's warnings go as they come, besides its ledger: the program's
    // standard error stream. Nowhere when not set.
    std::function<void(const QString&)> WarningSink;
    bool EnterpriseMode = false;

    std::unique_ptr<::Directory> Directory;
    std::unique_ptr<::AudioSettings> AudioSettings;
    std::unique_ptr<::PlayoutGeneral> PlayoutGeneral;
    // Interfaces of PlayoutGeneral, valid while it exists.
    ::PlayoutAudio* PlayoutAudio = nullptr;
    ::PlayoutLogging* PlayoutLogging = nullptr;
    std::unique_ptr<::StationLibrary> StationLibrary;
};
