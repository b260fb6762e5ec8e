#pragma once
// A sandbox Windows machine for the program: what is installed where, as data, and the
// operations that lay it out in (and remove it from) the registry and drive C: of the
// running Wine prefix.
#include "common/platform.h"
#include "stand_in_registration.h"

#include <optional>
#include <string>
#include <vector>

namespace qv::testbed {

struct MatlabInstallation {
    Platform view;               // the registry view its release key is in
    std::wstring release;        // subkey name under SOFTWARE\MathWorks\MATLAB
    std::wstring root;           // MATLABROOT
    bool perUser = false;        // the root is under HKEY_CURRENT_USER (its release key stays under HKLM)
    bool withExecutable = true;  // root\bin\matlab.exe is the stand-in
};

struct OrxInstallation {
    Platform view;
    std::wstring version;       // subkey name under SOFTWARE\QVR\ORX
    std::wstring matlabFolder;  // MatlabInterface (created as a folder)
    std::wstring binaryFolder;  // ORXBinaryFolder (holds the stand-in QvNewUserSetup.exe)
    bool userSetUp = false;     // the current user already has a key for this version
};

struct SandboxMachine {
    std::vector<MatlabInstallation> matlab;
    std::vector<StandInConnector> connectors;
    std::optional<std::wstring> connectorLocation32;  // MFileHome, 32-bit view
    std::optional<std::wstring> connectorLocation64;  // MFileHome, 64-bit view
    std::vector<OrxInstallation> orx;
    // The program of binDir that each root gets as bin\matlab.exe: the logging stand-in, or
    // interpreting_matlab.exe, which hands the statement to Octave.
    std::wstring matlabStandIn = L"matlab.exe";
};

// The machine of the demo: a 32-bit and a 64-bit MATLAB (one with a per-user root too), a
// 64-bit MATLAB that no connector serves, two connector classes, ORX 9.5, 10 and 11.
SandboxMachine DemoMachine();

// Lays the machine out; the stand-in programs and the connector DLL are taken from binDir.
// Returns false with a reason when something could not be written.
bool InstallSandbox(const SandboxMachine& machine, const std::wstring& binDir, std::wstring& error);

// Removes every registry tree the sandbox writes (both views, both hives) and the
// connector classes of the machine. Folders on drive C: are left as they are.
void RemoveSandbox(const SandboxMachine& machine);

}  // namespace qv::testbed
