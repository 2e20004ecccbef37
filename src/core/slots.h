#pragma once

#include <array>
#include <string_view>

namespace lec {

// The 32 slots that both frames carry, in frame order, with the names used in
// code and the FADEC's own titles as the I/O list prints them (trailing blanks
// are part of the titles).
struct SlotInfo {
    int slot;
    std::string_view name;
    std::string_view title;
};

inline constexpr std::array<SlotInfo, 32> kSlots{{
    {0, "BankIndex", "Index - Selection bank (0,1,2)     "},
    {1, "Phase", "Phase (0,1,2,3,4,5,6)"},
    {2, "StartStop", "0 =Nul, 1 =Start, 2 =Stop from the PC  "},
    {3, "ActivationConfirm", "Confirmation of activation 0 =Nul, 1 =Yes"},
    {4, "PowerPhase5", "Value PWR phase 5  "},
    {5, "RampStep", "No increase in MR    "},
    {6, "QthRelay", "Relay (QTH) 0=OFF, 1 ON "},
    {7, "QthIrState", "(QTH and IR) 0=OFF, 1=ON, 2=Alarm ON"},
    {8, "AlarmRelay", "Relay (Alarm) 0=OFF, 1=ON"},
    {9, "ErrorCode", "Error Message"},
    {10, "MatTemp", "\u00B0C Thermo DS1621 - MAT"},
    {11, "ShtTemp", "\u00B0C Thermo DS1621 - SHT"},
    {12, "Lpc", "AD0-0 LPC (PMS)"},
    {13, "Lfc", "AD0-1 LFC (LFC)"},
    {14, "Battery", "AD0-2 Battery (SBV)"},
    {15, "Vcc", "AD0-3 VCC (PSP)"},
    {16, "Vis", "AD1-0 VIS"},
    {17, "Ir", "AD1-1 IR"},
    {18, "Rh", "AD1-2 RH"},
    {19, "Ad13", "AD1-3 (not used)"},
    {20, "Ad20", "AD2-0 (not used)"},
    {21, "Ad21", "AD2-1 (not used)"},
    {22, "Ad22", "AD2-2 (not used)"},
    {23, "Ad23", "AD2-3 (not used)"},
    {24, "MotorSpeedSet", "Vmot (3000/30 = 100 type) "},
    {25, "MotorDa", "Return Fixed Speed M"},
    {26, "StampVersion", "No version Stamp:  "},
    {27, "TachoM", "Frequency Tachy M   "},
    {28, "TachoV1", "Frequency Tachy V1  "},
    {29, "TachoV2", "Frequency Tacho V2  "},
    {30, "Synchro", "Synchro RS232 (Stamp)"},
    {31, "FrameMode", "Enable cooling (M + V1 + V2)        "},
}};

// Slot numbers by name, for code that reads or writes one slot.
namespace slot {
inline constexpr int kBankIndex = 0;
inline constexpr int kPhase = 1;
inline constexpr int kStartStop = 2;
inline constexpr int kActivationConfirm = 3;
inline constexpr int kPowerPhase5 = 4;
inline constexpr int kRampStep = 5;
inline constexpr int kQthRelay = 6;
inline constexpr int kQthIrState = 7;
inline constexpr int kAlarmRelay = 8;
inline constexpr int kErrorCode = 9;
inline constexpr int kMatTemp = 10;
inline constexpr int kShtTemp = 11;
inline constexpr int kLpc = 12;
inline constexpr int kLfc = 13;
inline constexpr int kBattery = 14;
inline constexpr int kVcc = 15;
inline constexpr int kVis = 16;
inline constexpr int kIr = 17;
inline constexpr int kRh = 18;
inline constexpr int kAd13 = 19;
inline constexpr int kAd20 = 20;
inline constexpr int kAd21 = 21;
inline constexpr int kAd22 = 22;
inline constexpr int kAd23 = 23;
inline constexpr int kMotorSpeedSet = 24;
inline constexpr int kMotorDa = 25;
inline constexpr int kStampVersion = 26;
inline constexpr int kTachoM = 27;
inline constexpr int kTachoV1 = 28;
inline constexpr int kTachoV2 = 29;
inline constexpr int kSynchro = 30;
inline constexpr int kFrameMode = 31;
}  // namespace slot

// The synchronisation value of slot 30: the FADEC waits for a command frame.
inline constexpr int kSynchroReady = 123;
// Slot 0 of a parameter frame; slot 31 of a counter frame.
inline constexpr int kParameterFrame = 2;
inline constexpr int kCounterFrame = 5;

}  // namespace lec
