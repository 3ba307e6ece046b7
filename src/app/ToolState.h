#pragma once

#include "playout/AudioSettings.h"
#include "playout/Directory.h"
#include "playout/PlayoutGeneral.h"
#include "playout/StationLibrary.h"

#include <QString>
#include <memory>

// The tool-wide state that the start-up sets and every later step reads: the
// profile in use, the run's flags and the playout system's library objects.
struct ToolState {
    QString CurrentProfile;
    bool SilentMode = false;
    bool ScheduleMode = false;
    // /DRYRUN: the run plans and shows what it would do, and writes nothing.
    bool DryRun = false;
    // /REPORT=FILE: where the run report goes ("" for none).
    QString ReportFile;
    // The Station Database /DATABASE= names, as typed: a server database's location
    // keeps its case.
    QString DatabaseGiven;
    // /CHECK[=hours]: how many hours from now the readiness check looks at (0: no
    // check; the run checks instead of importing; -1: the value was refused, and
    // CheckRefused says why).
    int CheckHours = 0;
    QString CheckRefused;
    static constexpr int DefaultCheckHours = 48;
    static constexpr int MostCheckHours = 8784; // a leap year
    bool EnterpriseMode = false;

    std::unique_ptr<::Directory> Directory;
    std::unique_ptr<::AudioSettings> AudioSettings;
    std::unique_ptr<::PlayoutGeneral> PlayoutGeneral;
    // Interfaces of PlayoutGeneral, valid while it exists.
    ::PlayoutAudio* PlayoutAudio = nullptr;
    ::PlayoutLogging* PlayoutLogging = nullptr;
    std::unique_ptr<::StationLibrary> StationLibrary;
};
