#pragma once

// The table segments of a JPEG written by the image encoder: where the colour scan starts,
// where the first table segment is, and the merge that puts every quantisation table into one
// DQT segment and every Huffman table into one DHT segment. Every function answers a
// save-pipeline code (CMError.h) and throws nothing.

#include <cstdint>
#include <string>
#include <vector>

#include "launcher/save/CMError.h"
#include "launcher/save/ICMFILE_CLASS.h"

// Offset of the start-of-scan segment when it is a three-component scan (FF DA 00 0C 03);
// 0 when the file's scan has another component count or there is none.
CMResult SM_FindColourScanStart(ICMFILE_CLASS* file, std::uint64_t* scanStart);
// Offset of the first DQT or DHT segment; 0 when there is none.
CMResult SM_FindFirstTableSegment(ICMFILE_CLASS* file, std::uint64_t* firstTable);

// Writes target as source with the DQT segments between firstTable and scanStart merged into
// the first of them, and likewise the DHT segments: the later segments' tables follow the
// first's, in their order, and the first's length covers them all. A kind with a single
// segment, or whose merged segment would pass 65535 bytes, stays as it is. Everything from
// scanStart on is copied unchanged in blocks of 1 MiB, and the file ends where the source
// ends. The new file takes target's name only when complete; target may be source (then
// nothing is written when there is nothing to merge). 0xAF200 when the offsets do not fit the
// file.
// The header of the file open in in, [0, scanStart), as read (head) and with its tables merged as
// SM_MergeJpegTables merges them (merged; the same bytes when there is nothing to merge).
// 0xAF200 when the offsets do not fit the file.
CMResult SM_MergedJpegHead(ICMFILE_CLASS* in, std::uint64_t firstTable, std::uint64_t scanStart,
                           std::vector<std::uint8_t>* head, std::vector<std::uint8_t>* merged);
CMResult SM_MergeJpegTables(const std::string* source, const std::string* target, std::uint64_t firstTable,
                            std::uint64_t scanStart);
