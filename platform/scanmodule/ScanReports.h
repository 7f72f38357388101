#pragma once

// Names and keys of the reports the scan module posts (sender: the controller), with the
// payload of each. Keys in the user info of a report, and what they hold:
//
//   "SM_DOCUMENT_START"          none
//   "SM_IMAGEINFO"               "SAMPLES" 1|3, "PIXELS" bits per sample 1|8|16, "WIDTH",
//                                "HEIGHT" (pixels), "RESOLUTION" (dpi), "SOURCETYPE",
//                                "InputSource", "NoCloseUI" (integers), "TemporaryPath" (string)
//   "SM_PAGE_START_OBJECT"       line mode: none. File mode: "File" (path string) and "object"
//                                (Value::object of HandOver<PageFile>). Memory mode: "object"
//                                (Value::object of HandOver<PageMemory>). Take the page during
//                                the post; what is not taken is deleted or freed with the post.
//   "SM_PAGE_END"                "CROPS": pages still to come in this document
//   "SM_DOCUMENT_END"            "STATUS": 0 finished, 1 cancelled, 2 ended by an error
//   "ERROR_WILL_BE_NORTIFIED"    none; an error report follows
//   "TWAIN_ERROR_INFORMATION_OBJECT"  "object": Value::object of ErrorInformation
//   "TWAIN_MODAL_DIALOG_OBJECT"  "ErrorNumber", "object": Value::object of ModalAnswer
//   "StartNoSleep", "StopNoSleep", "UpdateReadPushButton"  none
//
// User-interface requests posted the same way (their user info is a mutable dictionary):
// "createProgressWindowPost", "showProgressWindowPost", "setPercentagePost" ("PercentVal"),
// "setScanningInfoPost" ("NowVal", "TotalVal", "SourceVal"), "closeProgressWindowPost",
// "endScanPost"; with the device's switches "setInformationDataPost", "setEstimatedRemainingTimePost"
// ("TimeVal"), "setMessageFieldInfoPost" ("MessageID", "PFormat", "PParameter"), and the
// scanner-connect pair "displayScannerConnectWindow"/"closeScannerConnectWindow". Calibration
// posts "displayCalibrationProcWindowPost" ("DisplayMode"), "closeCalibrationProcWindowPost" and,
// failing, "ManualCalibrationErrorPost" ("TestStatus", "Number1".."Number3"); the self test
// "DisplayScannerTestStatusPost" and "EndScannerTestPost" ("TestStatus"). A preview posts
// "setPreviewMakeSizePost", "setPreviewDataPost" ("PreviewSendSize", "PreviewSendData" as data),
// "drawPreviewAreaPost" and "endPreviewPost".
namespace velmor::report {

inline constexpr const char* kDocumentStart = "SM_DOCUMENT_START";
inline constexpr const char* kImageInfo = "SM_IMAGEINFO";
inline constexpr const char* kImageInfoDummy = "SM_IMAGEINFO_DUMMY";
inline constexpr const char* kPageStartObject = "SM_PAGE_START_OBJECT";
inline constexpr const char* kPageEnd = "SM_PAGE_END";
inline constexpr const char* kDocumentEnd = "SM_DOCUMENT_END";
inline constexpr const char* kErrorWillBeNotified = "ERROR_WILL_BE_NORTIFIED";
inline constexpr const char* kErrorInformation = "TWAIN_ERROR_INFORMATION_OBJECT";
inline constexpr const char* kModalDialog = "TWAIN_MODAL_DIALOG_OBJECT";
inline constexpr const char* kStartNoSleep = "StartNoSleep";
inline constexpr const char* kStopNoSleep = "StopNoSleep";
inline constexpr const char* kUpdateReadPushButton = "UpdateReadPushButton";

inline constexpr const char* kCreateProgressWindow = "createProgressWindowPost";
inline constexpr const char* kShowProgressWindow = "showProgressWindowPost";
inline constexpr const char* kSetPercentage = "setPercentagePost";
inline constexpr const char* kSetScanningInfo = "setScanningInfoPost";
inline constexpr const char* kCloseProgressWindow = "closeProgressWindowPost";
inline constexpr const char* kEndScan = "endScanPost";
inline constexpr const char* kSetInformationData = "setInformationDataPost";
inline constexpr const char* kSetEstimatedRemainingTime = "setEstimatedRemainingTimePost";
inline constexpr const char* kSetMessageFieldInfo = "setMessageFieldInfoPost";
inline constexpr const char* kDisplayScannerConnect = "displayScannerConnectWindow";
inline constexpr const char* kCloseScannerConnect = "closeScannerConnectWindow";
inline constexpr const char* kDisplayCalibration = "displayCalibrationProcWindowPost";
inline constexpr const char* kCloseCalibration = "closeCalibrationProcWindowPost";
inline constexpr const char* kManualCalibrationError = "ManualCalibrationErrorPost";
inline constexpr const char* kDisplayScannerTestStatus = "DisplayScannerTestStatusPost";
inline constexpr const char* kEndScannerTest = "EndScannerTestPost";
inline constexpr const char* kSetPreviewMakeSize = "setPreviewMakeSizePost";
inline constexpr const char* kSetPreviewData = "setPreviewDataPost";
inline constexpr const char* kDrawPreviewArea = "drawPreviewAreaPost";
inline constexpr const char* kEndPreview = "endPreviewPost";

// Self-test status of a device that passed; calibration's failing status.
inline constexpr int kScannerTestPassed = 1630;
inline constexpr int kCalibrationFailed = 1206;

// Document-end status values.
inline constexpr int kStatusDone = 0;
inline constexpr int kStatusCancelled = 1;
inline constexpr int kStatusError = 2;

// The pending count that says the document ended with an error.
inline constexpr int kPendingError = 65534;

}  // namespace velmor::report

// Device error numbers the simulated scanner reports, each with the detail numbers: the same
// number again, the page (from 1) and the line (from 0) where it happened.
namespace velmor::errors {
inline constexpr int kNotReady = 1201;        // refused initial setting
inline constexpr int kConnectionLost = 1205;  // the device stopped answering
inline constexpr int kPaperOut = 1211;        // no paper in the document feeder
inline constexpr int kPaperJam = 1221;
inline constexpr int kCoverOpen = 1222;
inline constexpr int kNoMemory = 1240;       // no room for the page (memory or disk)
}  // namespace velmor::errors
