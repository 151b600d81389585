#pragma once
// The simulated bootloader device: a flash model and the bootloader's
// command set behind a real UDP socket, served on a thread of its own.
// Answers go to the source address and port of each request.
//
//   TDevSimOptions o;
//   o.BindAddress = "127.0.0.1";
//   o.Port = 0;                         // any free port
//   TDevSim dev(o);
//   dev.Start();                        // dev.Port() is the bound port
//   ... talk to 127.0.0.1:dev.Port() ...
//   dev.RequestCount(0x0B); dev.ReadWord(0x9D000000); dev.AddFault("dup:0x30");
//   dev.Stop();

#include "tools/devsim/SimBootloader.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>

namespace devsim {

inline constexpr Word DefaultDevicePort = 16388;

// Everything the command line sets, and a little more for tests.
struct TDevSimOptions {
    String BindAddress = "0.0.0.0";        // --bind
    Word Port = DefaultDevicePort;         // --port; 0: any free port
    TSimIdentity Identity;                 // Identity.DeviceID: --device-id
    TSimVersion Version;                   // --version (3.2.1.2)
    std::optional<Cardinal> DevIdRegister; // --devid-register; default: the target's DeviceID
    String SettingsFile;                   // --settings: take the target from this catalogue
    Integer TargetIndex = 0;               // --target-index
    std::vector<TSimFault> Faults;         // --fault, in order
    String SaveHexFile;                    // --save-hex: written by the program when it ends
    bool Quiet = false;                    // --quiet: no line per request
    // Library only: a target or address window given directly (a target
    // given here wins over SettingsFile), and the stored network settings.
    std::optional<TSimTarget> Target;
    std::optional<TSimWindow> Window;
    TSimIpSettings IpSettings;
};

class TDevSimThread;

class TDevSim : public TObject {
public:
    // Builds the device (target, flash with its factory image, faults).
    // Raises EDevSimError when the target cannot be loaded.
    explicit TDevSim(const TDevSimOptions& Options = {});
    ~TDevSim() override;

    // Binds the socket and starts serving. After a Stop the device binds the
    // port it had before (also when Port was 0), so a restarted device is
    // found where it was. Raises EDevSimError when the address cannot be bound.
    void Start();
    // Stops serving and closes the socket; answers still waiting (late
    // ones) are dropped. The flash and the log stay.
    void Stop();
    bool Running() const { return FThread != nullptr; }
    // The bound port; 0 before the first Start.
    Word Port() const { return FPort; }

    const TDevSimOptions& Options() const { return FOptions; }
    const TSimTarget& Target() const { return FDevice.Flash().Target(); }
    const TSimWindow& Window() const { return FDevice.Flash().Window(); }

    // The flash, safe to use while the device runs.
    Cardinal ReadWord(Cardinal Address) const;
    std::vector<Cardinal> ReadWords(Cardinal Address, Cardinal Count) const;
    void WriteWord(Cardinal Address, Cardinal Value);
    // Runs Fn on the flash while the device is held still.
    void WithFlash(const std::function<void(TFlashModel&)>& Fn);
    // Writes the flash as Intel HEX (physical addresses). Raises
    // EDevSimError when the file cannot be written.
    void SaveHex(const String& FileName) const;

    // Faults and the values they stand in for, changeable at any time.
    void AddFault(const TSimFault& Fault);
    void AddFault(const String& Spec); // the text form of SimFault.h
    void ClearFaults();
    void SetVersion(const TSimVersion& Version);
    void SetDevIdRegister(Cardinal Value);
    TSimIpSettings IpSettings() const;
    void SetIpSettings(const TSimIpSettings& Settings);
    // Run requests carried out.
    Cardinal RunCount() const;

    // Requests taken (well-formed and meant for this device), all or those
    // with one command code; datagrams ignored (malformed or for another device).
    Cardinal RequestCount() const;
    Cardinal RequestCount(Byte Command) const;
    Cardinal IgnoredCount() const;
    // The most recent datagrams (up to 10000), oldest first.
    std::vector<TSimLogEntry> RequestLog() const;
    // Forgets the log and the counts.
    void ClearLog();
    // Waits (real time) until RequestCount(Command) reaches Count; false
    // when TimeoutMs passed first. Answers to those requests have been sent
    // by then (unless late), and their effect on the flash is visible.
    bool WaitForRequests(Byte Command, Cardinal Count, Cardinal TimeoutMs) const;

    // Called on the device's thread after each datagram (set before Start).
    std::function<void(const TSimLogEntry&)> OnRequest;
    // Called on the device's thread with each datagram as it came, before
    // it is handled (set before Start).
    std::function<void(const Byte* Data, std::size_t Count)> OnDatagram;

private:
    friend class TDevSimThread;
    struct TPending;
    void Serve();
    void Receive();
    void SendDue();
    int PollTimeout() const;

    TDevSimOptions FOptions;
    mutable std::mutex FLock;
    mutable std::condition_variable FChanged;
    TSimBootloader FDevice;
    std::deque<TSimLogEntry> FLog;
    Cardinal FCounts[256] = {};
    Cardinal FIgnored = 0;
    std::vector<TPending> FPending; // touched only by the device's thread (and Stop after it ended)
    TDevSimThread* FThread = nullptr;
    int FSocket = -1;
    int FOtherSocket = -1; // where forged answers come from
    int FWake[2] = {-1, -1};
    Word FPort = 0;
};

} // namespace devsim

using devsim::TDevSim;
using devsim::TDevSimOptions;
