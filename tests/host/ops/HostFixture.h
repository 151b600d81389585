#pragma once
// A bootloader host with a recording view, talking to a simulated device
// over loopback, with the manual clock: the mandated pauses cost nothing.

#include "host/ops/BootloaderHost.h"
#include "host/ops/RecordingView.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/EventLoop.h"
#include "platform/rtl/SysUtils.h"
#include "tools/devsim/DevSim.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <memory>

// Intel HEX text of words placed at physical byte addresses.
inline String HexText(const std::map<Cardinal, Cardinal>& Words) {
    String text;
    Cardinal upper = 0xFFFFFFFF;
    auto record = [&text](Integer Type, Cardinal Address, const std::vector<Byte>& Data) {
        String line = Format(":%2.2X%4.4X%2.2X", {static_cast<Integer>(Data.size()), Address & 0xFFFF, Type});
        Integer sum = static_cast<Integer>(Data.size()) + ((Address >> 8) & 0xFF) + (Address & 0xFF) + Type;
        for (Byte b : Data) {
            line += Format("%2.2X", {b});
            sum += b;
        }
        text += line + Format("%2.2X", {(-sum) & 0xFF}) + "\r\n";
    };
    for (auto it = Words.begin(); it != Words.end();) {
        const Cardinal start = it->first;
        std::vector<Byte> data;
        // Up to four consecutive words in one record.
        while (it != Words.end() && it->first == start + data.size() && data.size() < 16 &&
               (it->first >> 16) == (start >> 16)) {
            for (Integer b = 0; b < 4; ++b)
                data.push_back(static_cast<Byte>(it->second >> (8 * b)));
            ++it;
        }
        if ((start >> 16) != upper) {
            upper = start >> 16;
            record(4, 0, {static_cast<Byte>(upper >> 8), static_cast<Byte>(upper)});
        }
        record(0, start, data);
    }
    record(1, 0, {});
    return text;
}

inline constexpr Cardinal ProgPhys = 0x1D000000;
inline constexpr Cardinal BootPhys = 0x1FC00000;

// Program blocks 0..2, a few words of block 5, and the last block below the
// bootloader; the boot stub the device came with, and a word in the second
// boot block.
inline std::map<Cardinal, Cardinal> SampleImage(const std::vector<Cardinal>& Stub) {
    std::map<Cardinal, Cardinal> words;
    Cardinal x = 0x2468ACE1;
    for (Cardinal a = ProgPhys; a < ProgPhys + 3 * 512; a += 4)
        words[a] = x = x * 1664525 + 1013904223;
    for (Cardinal a = ProgPhys + 5 * 512 + 64; a < ProgPhys + 5 * 512 + 96; a += 4)
        words[a] = a;
    for (Cardinal a = 0x1D06FE00; a < 0x1D070000; a += 4)
        words[a] = ~a;
    for (std::size_t i = 0; i < Stub.size(); ++i)
        words[BootPhys + 4 * static_cast<Cardinal>(i)] = Stub[i];
    words[BootPhys + 0x1000] = 0x12345678;
    return words;
}


class HostFixture : public ::testing::Test {
protected:
    void SetUp() override {
        InitEventLoop();
        ProcessMessages();
        // Long enough that a loaded machine still answers within one real
        // wait; a missing answer costs this much real time.
        SetManualClockGrace(250);
        SetProgramVersionInfo(&HostVersionInfo());
        TDevSimOptions o;
        o.BindAddress = "127.0.0.1";
        o.Port = 0;
        o.Quiet = true;
        ConfigureDevice(o);
        Sim = std::make_unique<TDevSim>(o);
        PrepareDevice(*Sim);
        Sim->Start();
        Agent = new TDataModule1(nullptr);
        Host = std::make_unique<TBootloaderHost>(View, *Agent);
        const String folder = String(std::getenv("QUENTA_SOURCE_DIR")) + "/dist/";
        Settings = LoadSettings(folder, [](const String&) {});
        Host->ApplySettings(Settings);
        Host->ReadOwnVersion();
        Host->AtStartup = false;
        Host->WireAgent();
        Agent->Open();
        // Nothing of a test may leave the machine: with broadcast denied a
        // request to 255.255.255.255 fails instead of going out.
        Agent->IdUDPControl->SetBroadcastEnabled(false);
        Host->CreateDispatcher();
        Host->DiscoveryPort = Sim->Port();
    }
    void TearDown() override {
        Agent->Close();
        Host.reset();
        Agent->Free();
        Sim->Stop();
        SetManualClockGrace(20);
    }
    virtual void ConfigureDevice(TDevSimOptions&) {}
    virtual void PrepareDevice(TDevSim&) {}

    // Polled erases that get no answer give up after 50 s of 10 ms waits:
    // those waits take 1 ms of real time each; every other wait keeps the
    // fixture's grace.
    void ShortenPolledErases() {
        View.OnProgressShown = [](const String& Caption) {
            if (Caption == "Erasing firmware..") SetManualClockGrace(1);
        };
        View.OnProgressHidden = [](const String&) { SetManualClockGrace(250); };
    }

    // Reaches the device at its typed address and clears the pane.
    void Connect() {
        Host->FixedIP_BtnClick("127.0.0.1");
        ASSERT_NE(Host->SelectedDevice(), nullptr) << "the simulated device did not answer";
        View.Lines.clear();
        View.Boxes.clear();
    }

    // Loads an image of words at physical addresses.
    void LoadImage(const std::map<Cardinal, Cardinal>& Words) {
        Host->Image.Lines.SetText(HexText(Words));
        ASSERT_TRUE(Host->Image.ImageLoaded(Host->CurrentTarget));
    }

    // Every line of needles appears in the pane, in this order.
    ::testing::AssertionResult LinesInOrder(const std::vector<String>& Needles) const {
        std::size_t at = 0;
        for (const String& n : Needles) {
            while (at < View.Lines.size() && View.Lines[at] != n)
                ++at;
            if (at == View.Lines.size())
                return ::testing::AssertionFailure() << "missing (in order): \"" << n << "\"";
            ++at;
        }
        return ::testing::AssertionSuccess();
    }

    TManualClock Clock{100000};
    TScopedClock ScopedClock{&Clock};
    TRecordingView View;
    std::unique_ptr<TDevSim> Sim;
    TDataModule1* Agent = nullptr;
    std::unique_ptr<TBootloaderHost> Host;
    TSettings Settings;
};
