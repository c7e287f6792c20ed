#pragma once
// One icon to its byte record and back, on the platform's icon and bitmap calls (the record's layout:
// imagelist/IconRecord.h). The caller passes one screen device context for a whole run of records. No
// operation raises or reports: a failure is the false result, and the out-parameters are then left alone
// (hIcon and hBitmap are set to nullptr). Nothing is read or written outside the caller's buffer, and every
// bitmap made on the way is released.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <span>

namespace mSaveIcon {

// Writes the record of hIcon at `offset`; only when the whole record fits is any of it written.
bool IconToBytes(HDC hDC, HICON hIcon, std::span<std::uint8_t> bytes, std::size_t offset, std::size_t& recordSize,
                 std::int32_t version);
// Writes one block of hBitmap (the colour bitmap, or the mask when isMask) at `offset`.
bool BitmapToBytes(HDC hDC, HBITMAP hBitmap, bool isMask, std::span<std::uint8_t> bytes, std::size_t offset,
                   std::size_t& blockSize, std::int32_t version);
// Reads the record at `offset` into a new icon, which the caller destroys. A stored cursor comes back as an
// icon with the stored hot spot.
bool BytesToIcon(HDC hDC, HICON& hIcon, std::span<const std::uint8_t> bytes, std::size_t offset,
                 std::size_t& recordSize, std::int32_t version);
// Reads one block into a new bitmap, which the caller deletes.
bool BytesToBitmap(HDC hDC, HBITMAP& hBitmap, bool isMask, std::span<const std::uint8_t> bytes, std::size_t offset,
                   std::size_t& blockSize, std::int32_t version);

// The record size hIcon would take, or 0 when its parts cannot be queried.
std::size_t IconRecordSize(HICON hIcon, std::int32_t version);

}  // namespace mSaveIcon
