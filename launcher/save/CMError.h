#pragma once

// Result codes of the save pipeline and the raise-and-catch convention.
//
// Every operation returns an unsigned 32-bit code, 0 for success. Inside a function each step
// raises its code with CM_ThrowIfError; the function catches at its own boundary (CM_Guard),
// releases what it holds (RAII) and returns the code. Nothing is thrown across a public
// operation. Codes are six hex digits: layer (0xD common layer, file and string objects; 0xA the
// pipeline's own classes), group, case. Callers compare codes whole.

#include <cstdint>
#include <exception>
#include <new>

using CMResult = std::uint32_t;

// Common layer, file and string objects.
constexpr CMResult CM_OK = 0;
constexpr CMResult CM_ERR_BAD_ARGUMENT = 0xDCA01;    // null pointer, slot already set, unknown mode, identical paths
constexpr CMResult CM_ERR_SYSTEM = 0xDCA02;          // a system call or formatting failed
constexpr CMResult CM_ERR_NOT_UTF8 = 0xDCA00;        // text could not be converted from UTF-8
constexpr CMResult CM_ERR_NO_MEMORY = 0xD9801;       // out of memory, or a system object could not be made
constexpr CMResult CM_ERR_NOT_READY = 0xD9802;       // file not open, string object missing
constexpr CMResult CM_ERR_FILE_MISSING = 0xDC901;    // the file to read or update does not exist
constexpr CMResult CM_ERR_END_OF_FILE = 0xDF300;     // nothing left to read
constexpr CMResult CM_ERR_NO_PERMISSION = 0xDF400;   // not readable or writable, removal refused; launcher: no space
constexpr CMResult CM_ERR_EMPTY_OR_ABSENT = 0xD7200; // empty text, or the file to copy / save file does not exist
constexpr CMResult CM_ERR_DISK_FULL = 0xDE900;       // out of disk space while copying or writing
constexpr CMResult CM_ERR_FOLDER_NOT_WRITABLE = 0xDF200;  // launcher's save-path check

// The pipeline's own classes.
constexpr CMResult SM_ERR_CREATE = 0xA9800;          // a pipeline object or buffer could not be created
constexpr CMResult SM_ERR_ROTATE = 0xA9807;          // rotating an image failed
constexpr CMResult SM_ERR_LINE_BUFFER1 = 0xA9819;    // line-conversion or JPEG working buffer
constexpr CMResult SM_ERR_LINE_BUFFER2 = 0xA981A;
constexpr CMResult SM_ERR_LINE_BUFFER3 = 0xA9830;
constexpr CMResult SM_ERR_OPTION_COPY1 = 0xA981E;    // copy of an image's option record missing
constexpr CMResult SM_ERR_OPTION_COPY2 = 0xA982C;
constexpr CMResult SM_ERR_NAME_CREATE1 = 0xA9821;    // a name string of the save driver could not be created
constexpr CMResult SM_ERR_NAME_CREATE2 = 0xA9822;
constexpr CMResult SM_ERR_XFORM_OPEN = 0xACA00;      // a transform is already open
constexpr CMResult SM_ERR_BAD_COUNT = 0xACA01;       // thread start failed, index >= 1000, size does not fit...
constexpr CMResult SM_ERR_BAD_SIZE = 0xACA02;        // unknown size code, unreadable path length, bad line args
constexpr CMResult SM_ERR_UNSUPPORTED = 0xACA03;     // unsupported format pair or bit depth
constexpr CMResult SM_ERR_NO_XFORM = 0xACA04;        // no transform open, or a null argument to a writer
constexpr CMResult SM_ERR_NO_LINES = 0xACA05;        // no line buffer to read; JPEG table past the end
constexpr CMResult SM_ERR_WORKER_TIMEOUT = 0xACA09;  // a worker did not finish within 180000 ms
constexpr CMResult SM_ERR_ABORTED = 0xA0B0D;         // abort marker in a writer's error state
constexpr CMResult SM_ERR_MALFORMED = 0xAF200;       // TIFF or JPEG malformed or unsupported
constexpr CMResult SM_ERR_JPEG_SEGMENT = 0xAF205;    // a JPEG segment could not be read
constexpr CMResult SM_ERR_IMAGE = 0xAF207;           // image/destination/bitmap failed; zero size; writer wait failed
constexpr CMResult SM_ERR_URL = 0xAF307;             // a file URL or image source could not be made
constexpr CMResult SM_ERR_OUTPUT_NOT_WRITABLE = 0xAF400;  // the output folder is not writable

// Returns for 0. Otherwise throws the code (as CMResult); a bare case number with no bits in
// 0xFF0000 is first marked as the pipeline's own (0x207 -> 0xA0207).
void CM_ThrowIfError(CMResult code);

// What CM_ThrowIfError would throw for a code (0 stays 0).
CMResult CM_NormalizeError(CMResult code);

// The code for a failed write's errno: a full disk or quota, no permission, or anything else.
CMResult CM_WriteErrnoToResult(int err);

// Thrown by CM_TestCancel in a worker whose cancellation was asked for; it unwinds the worker
// body to the thread start, which ends the thread. Nothing else throws it or may swallow it.
struct CMThreadCancelled {};

// Runs one public operation's body and turns whatever it raises into a code: a raised code is
// returned as is, an allocation failure as CM_ERR_NO_MEMORY, any other exception as
// CM_ERR_SYSTEM. A worker's cancellation (CMThreadCancelled) passes through untouched.
template <class Body>
CMResult CM_Guard(Body&& body) {
  try {
    return static_cast<CMResult>(body());
  } catch (CMResult code) {
    return code;
  } catch (const std::bad_alloc&) {
    return CM_ERR_NO_MEMORY;
  } catch (const CMThreadCancelled&) {
    throw;
  } catch (...) {
    return CM_ERR_SYSTEM;
  }
}
