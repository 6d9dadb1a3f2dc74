#pragma once

#include <QString>
#include <cstdint>

// The file through which the launcher tells the model how many particles
// this computer animates in time: " .07" CR LF, then the count CR LF.

// Private to the user and gone after logout, like the session it describes;
// empty when the user has no private folder.
QString calibrationFilePath();

struct SolidSize {
    std::int16_t BolesAresta = 4;
    std::int16_t NombreBolesOptim = 64;
};

// The solid that a calibrated count (the file's second item) asks for; the
// edge is kept between 4 and 7 so the particle tables always hold it.
SolidSize solidSizeForCount(double count);

// Reader and writer take only a regular file: never a link, never a FIFO.
// Reads the file as the model does at start-up; any fault gives 4 × 4 × 4.
SolidSize readCalibration(const QString &path);

bool writeCalibration(const QString &path, float timeBudget, std::int16_t count);

// Fails only when the file exists and cannot be removed.
bool deleteCalibration(const QString &path);
