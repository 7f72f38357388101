#include "launcher/save/JpegTables.h"

#include <vector>

#include "imageio/AtomicFile.h"
#include "launcher/save/ExifSegment.h"

namespace {

struct Segment {
  std::uint8_t marker;
  std::size_t offset;  // of the 0xFF
  std::size_t end;     // just past the segment
};

std::size_t be16(const std::uint8_t* p) { return std::size_t(p[0]) << 8 | p[1]; }

bool standsAlone(std::uint8_t marker) { return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD9); }

// The segments of head[from, to) in order; false when something between them is not a
// segment (the bytes are then not ours to rearrange).
bool segmentsOf(const std::vector<std::uint8_t>& head, std::size_t from, std::size_t to, std::vector<Segment>* out) {
  std::size_t i = from;
  while (i < to) {
    if (i + 2 > to || head[i] != 0xFF) return false;
    const std::uint8_t marker = head[i + 1];
    if (marker == 0xFF) {  // fill byte
      ++i;
      continue;
    }
    if (standsAlone(marker)) {
      out->push_back({marker, i, i + 2});
      i += 2;
      continue;
    }
    if (i + 4 > to) return false;
    const std::size_t end = i + 2 + be16(head.data() + i + 2);
    if (end > to || end < i + 4) return false;
    out->push_back({marker, i, end});
    i = end;
  }
  return true;
}

// The segments of the whole head read by SM_ReadJpegHeader, up to its start of scan.
std::vector<Segment> headSegments(const std::vector<std::uint8_t>& head) {
  std::vector<Segment> out;
  std::size_t i = 0;
  while (i + 4 <= head.size()) {
    if (head[i] != 0xFF || head[i + 1] == 0xFF) {
      ++i;
      continue;
    }
    const std::uint8_t marker = head[i + 1];
    if (standsAlone(marker)) {
      out.push_back({marker, i, i + 2});
      i += 2;
      continue;
    }
    const std::size_t end = i + 2 + be16(head.data() + i + 2);
    out.push_back({marker, i, end});
    if (marker == 0xDA) break;
    i = end;
  }
  return out;
}

// Rebuilds the segments of one kind: the first carries every table of its kind.
void mergeKind(const std::vector<std::uint8_t>& in, const std::vector<Segment>& list, std::uint8_t kind,
               std::vector<std::uint8_t>* out, std::vector<Segment>* outList) {
  std::size_t count = 0, payload = 0;
  for (const Segment& s : list)
    if (s.marker == kind) ++count, payload += s.end - s.offset - 4;
  const bool merge = count > 1 && payload + 2 <= SM_JPEG_SEGMENT_MAX;
  bool first = true;
  for (const Segment& s : list) {
    const std::size_t at = out->size();
    if (!merge || s.marker != kind) {
      out->insert(out->end(), in.begin() + std::ptrdiff_t(s.offset), in.begin() + std::ptrdiff_t(s.end));
      outList->push_back({s.marker, at, out->size()});
      continue;
    }
    if (!first) continue;
    first = false;
    const std::size_t length = payload + 2;
    out->insert(out->end(), {0xFF, kind, std::uint8_t(length >> 8), std::uint8_t(length & 0xFF)});
    for (const Segment& t : list)
      if (t.marker == kind) out->insert(out->end(), in.begin() + std::ptrdiff_t(t.offset + 4), in.begin() + std::ptrdiff_t(t.end));
    outList->push_back({kind, at, out->size()});
  }
}

}  // namespace

CMResult SM_FindColourScanStart(ICMFILE_CLASS* file, std::uint64_t* scanStart) {
  if (!file || !scanStart) return CM_ERR_BAD_ARGUMENT;
  return CM_Guard([&]() -> CMResult {
    *scanStart = 0;
    std::vector<std::uint8_t> head;
    CM_ThrowIfError(SM_ReadJpegHeader(file, &head));
    for (const Segment& s : headSegments(head)) {
      if (s.marker != 0xDA) continue;
      if (s.offset + 5 <= head.size() && head[s.offset + 2] == 0x00 && head[s.offset + 3] == 0x0C &&
          head[s.offset + 4] == 0x03)
        *scanStart = s.offset;
      break;
    }
    return CM_OK;
  });
}

CMResult SM_FindFirstTableSegment(ICMFILE_CLASS* file, std::uint64_t* firstTable) {
  if (!file || !firstTable) return CM_ERR_BAD_ARGUMENT;
  return CM_Guard([&]() -> CMResult {
    *firstTable = 0;
    std::vector<std::uint8_t> head;
    CM_ThrowIfError(SM_ReadJpegHeader(file, &head));
    for (const Segment& s : headSegments(head)) {
      if (s.marker == 0xDB || s.marker == 0xC4) {
        *firstTable = s.offset;
        break;
      }
    }
    return CM_OK;
  });
}

CMResult SM_MergedJpegHead(ICMFILE_CLASS* in, std::uint64_t firstTable, std::uint64_t scanStart,
                           std::vector<std::uint8_t>* head, std::vector<std::uint8_t>* merged) {
  if (!in || !head || !merged) return CM_ERR_BAD_ARGUMENT;
  return CM_Guard([&]() -> CMResult {
    std::uint64_t size = 0;
    CM_ThrowIfError(in->GetSize(&size));
    if (scanStart == 0 || scanStart > size || firstTable > scanStart || scanStart > 16u * 1024 * 1024)
      CM_ThrowIfError(SM_ERR_MALFORMED);
    head->assign(static_cast<std::size_t>(scanStart), 0);
    std::size_t got = 0;
    CM_ThrowIfError(in->Seek(0, ICMFILE_CLASS::kFromStart));
    CM_ThrowIfError(in->Read(head->data(), head->size(), &got));
    if (got != head->size()) CM_ThrowIfError(SM_ERR_MALFORMED);

    merged->assign(head->begin(), head->begin() + std::ptrdiff_t(firstTable));
    std::vector<Segment> list;
    if (firstTable != 0 && segmentsOf(*head, std::size_t(firstTable), head->size(), &list)) {
      // Quantisation tables first, then the Huffman tables of the shortened header.
      std::vector<std::uint8_t> dqt;
      std::vector<Segment> dqtList;
      mergeKind(*head, list, 0xDB, &dqt, &dqtList);
      std::vector<Segment> dhtList;
      mergeKind(dqt, dqtList, 0xC4, merged, &dhtList);
    } else {
      *merged = *head;
    }
    return CM_OK;
  });
}

CMResult SM_MergeJpegTables(const std::string* source, const std::string* target, std::uint64_t firstTable,
                            std::uint64_t scanStart) {
  if (!source || !target) return CM_ERR_BAD_ARGUMENT;
  return CM_Guard([&]() -> CMResult {
    std::unique_ptr<ICMFILE_CLASS> in;
    CM_ThrowIfError(CM_CreateFile(&in));
    CM_ThrowIfError(in->Open(source, ICMFILE_CLASS::kRead));
    std::vector<std::uint8_t> head, merged;
    CM_ThrowIfError(SM_MergedJpegHead(in.get(), firstTable, scanStart, &head, &merged));
    if (merged == head && *source == *target) return CM_OK;

    // A new file rather than an overwrite in place: the merged header is shorter, and the old
    // tail must not stay behind the end-of-image marker.
    imageio::AtomicFile out(*target);
    if (!out.open()) CM_ThrowIfError(CM_ERR_NO_PERMISSION);
    CM_ThrowIfError(SM_WriteBytes(out.fd(), merged.data(), merged.size()));
    CM_ThrowIfError(SM_CopyFileTail(in.get(), scanStart, out.fd()));
    if (!out.commit()) CM_ThrowIfError(CM_ERR_SYSTEM);
    CM_ThrowIfError(in->Close());
    return CM_OK;
  });
}
