#pragma once
// The instrument's commands by name. A plain setting is "R" or "W" and its two-letter
// code; the parameter groups keep those in their tables (ParameterGroups.cpp). Here are
// all the others, and the few settings sent on their own outside a group. An argument
// follows the command on the line; the reply forms are in CommandPrimitive.h.

#include <QLatin1String>

namespace tovu::link::command {

// The connection
inline constexpr QLatin1String kRemoteOn{"ARM"};  // remote mode on: the handshake that opens every connection
inline constexpr QLatin1String kLocal{"ALM"};     // back to local mode: ends every connection

// Identification
inline constexpr QLatin1String kModel{"AMD"};           // raw text naming the model
inline constexpr QLatin1String kFirmware{"AMF"};        // firmware version; its first token is the figure
inline constexpr QLatin1String kSecondFirmware{"RMF"};  // the second firmware figure of banked instruments
inline constexpr QLatin1String kProgram{"AME"};         // the instrument's program, shown by the status read

// Memory: locations, their state and the actions on them
inline constexpr QLatin1String kPanelList{"APL"};       // raw list of the occupied panel locations
inline constexpr QLatin1String kALogList{"AWL"};        // raw list of the occupied ALog locations
inline constexpr QLatin1String kSelectPanel{"WPS"};     // select a panel location ("1" after panel work)
inline constexpr QLatin1String kSelectALog{"WAS"};      // select an ALog location ("1" after ALog work)
inline constexpr QLatin1String kPanelState{"RST"};      // the selected panel location: non-zero when occupied
inline constexpr QLatin1String kALogState{"RAT"};       // the selected ALog location: non-zero when occupied
inline constexpr QLatin1String kPanelAction{"WSM"};     // panel STORE, RECALL or DELETE (" 0", " 1", " 2")
inline constexpr QLatin1String kALogAction{"WAM"};      // ALog STORE, RECALL or DELETE (" 0", " 1", " 2")
inline constexpr QLatin1String kPanelActionDone{"ADP"}; // completes a panel action or a memory erase
inline constexpr QLatin1String kALogActionDone{"ADA"};  // completes an ALog action
inline constexpr QLatin1String kAfterALogWork{"WFP"};   // "1" before a recall, " 0" after a store, "0" at the end

// Arrays and readings of the live set-up or the recalled item
inline constexpr QLatin1String kReadWaveform{"AWT"};     // the A-scan, min and max pairs
inline constexpr QLatin1String kWriteWaveform{"AWS"};    // an ALog's A-scan sent before it is stored
inline constexpr QLatin1String kReadDacCurve{"ADC"};     // the DAC curve
inline constexpr QLatin1String kReadAvgCurve{"AAC"};     // the AVG curve
inline constexpr QLatin1String kReadALogTcgCurve{"AYC"}; // the TCG curve of an ALog or the live set-up
inline constexpr QLatin1String kReadPanelTcgCurve{"RYC"};// the TCG curve of a panel
inline constexpr QLatin1String kReadTimeStamp{"ATS"};    // the stored item's time stamp, raw
inline constexpr QLatin1String kReadDistance{"ACD"};     // the stored distance reading
inline constexpr QLatin1String kReadPeak{"ASH"};         // the stored peak reading

// Point lists (",x1,y1,..." when written) and the settings sent after them
inline constexpr QLatin1String kReadDacPoints{"RRP"};
inline constexpr QLatin1String kWriteDacPoints{"WRP"};
inline constexpr QLatin1String kReadTcgPoints{"RYP"};
inline constexpr QLatin1String kWriteTcgPoints{"WYP"};
inline constexpr QLatin1String kWriteDacRange{"WDR"};
inline constexpr QLatin1String kWriteDacDistance{"WDD"};
inline constexpr QLatin1String kWriteTcgRange{"WYR"};
inline constexpr QLatin1String kWriteTcgDistance{"WYD"};

// Settings written on their own
inline constexpr QLatin1String kWriteHud{"WHD"};      // HUD mode (0 OFF, 1 Distance, 2 Peak)
inline constexpr QLatin1String kWriteDacMode{"WDM"};  // DAC mode
inline constexpr QLatin1String kWriteTcgMode{"WYM"};  // TCG mode
inline constexpr QLatin1String kWriteYG{"WYG"};       // YG and YH: read with the calibration, sent
inline constexpr QLatin1String kWriteYH{"WYH"};       // with the DAC, TCG and AVG groups

// Privilege registers: ALog and panel limits, the privilege level
inline constexpr QLatin1String kReadALogLimit{"RAR"};
inline constexpr QLatin1String kReadPanelLimit{"RSR"};
inline constexpr QLatin1String kReadPrivilegeLevel{"RZZ"};
inline constexpr QLatin1String kWriteALogLimit{"WAR"};
inline constexpr QLatin1String kWritePanelLimit{"WSR"};
inline constexpr QLatin1String kWritePrivilegeLevel{"WZZ"};

// The thickness log (the block number is part of "WTB"'s command text)
inline constexpr QLatin1String kThicknessLog{"WTL0"};       // set the instrument up for the log
inline constexpr QLatin1String kThicknessBlock{"WTB"};      // choose the block to send
inline constexpr QLatin1String kThicknessDownload{"ATT0"};  // send the readings, line by line, until "complete"

} // namespace tovu::link::command
