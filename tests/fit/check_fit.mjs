// Decodes each FIT file Velto wrote with Garmin's own FIT SDK and checks it
// against what Velto's table says of it: node check_fit.mjs FOLDER...
// Each NAME.json in a folder describes NAME.fit beside it. Prints a line a
// file and exits with 1 when any check fails.
import { Decoder, Stream } from "@garmin/fitsdk";
import fs from "node:fs";
import path from "node:path";

const SEMICIRCLES = 2 ** 31 / 180;
let failed = 0, checked = 0;

function check(file, what, ok, detail = "") {
    if (!ok) {
        failed++;
        console.log(`FAILED ${file}: ${what} ${detail}`);
    }
}

function near(a, b, within) {
    return typeof a === "number" && Math.abs(a - b) <= within;
}

function course(file, want, messages) {
    const records = messages.recordMesgs ?? [];
    check(file, "records", records.length === want.records, `${records.length} for ${want.records}`);
    const first = records[0], last = records[records.length - 1];
    for (const [name, record, place] of [["first", first, want.first], ["last", last, want.last]]) {
        check(file, `${name} position`, record && near(record.positionLat, Math.round(place[0] * SEMICIRCLES), 1) &&
              near(record.positionLong, Math.round(place[1] * SEMICIRCLES), 1), JSON.stringify(record));
    }
    check(file, "total distance to the metre", last && near(last.distance, want.distance, 0.5) &&
          near(messages.lapMesgs?.[0]?.totalDistance, want.distance, 0.5), `${last?.distance} for ${want.distance}`);
    const start = messages.lapMesgs?.[0]?.startTime;
    check(file, "lap with the plan's time", near(messages.lapMesgs?.[0]?.totalElapsedTime, want.seconds, 0.001));
    let stamps = true;
    for (let k = 1; k < records.length; k++)
        stamps = stamps && records[k].timestamp >= records[k - 1].timestamp;
    check(file, "records in time", stamps && first.timestamp === start && near(last.timestamp - start, want.seconds, 0.5));
    const points = messages.coursePointMesgs ?? [];
    check(file, "course points", points.length === want.points.length, `${points.length} for ${want.points.length}`);
    want.points.forEach((p, k) => {
        const got = points[k];
        check(file, `course point ${p.name}`, got && got.name === p.name && got.type === p.type &&
              near(got.timestamp - start, p.seconds, 0.55) && near(got.distance, p.distance, 0.5),
              JSON.stringify(got));
    });
}

function workout(file, want, messages) {
    const steps = messages.workoutStepMesgs ?? [];
    check(file, "steps", steps.length === want.steps.length && messages.workoutMesgs?.[0]?.numValidSteps === steps.length,
          `${steps.length} for ${want.steps.length}`);
    want.steps.forEach((s, k) => {
        const got = steps[k];
        check(file, `step ${k}`, got && got.durationType === "distance" && near(got.durationDistance, s.metres, 0.005) &&
              got.targetType === "speed" && near(got.customTargetSpeedLow, s.low, 0.0006) &&
              near(got.customTargetSpeedHigh, s.high, 0.0006) && got.wktStepName === s.name, JSON.stringify(got));
    });
}

for (const folder of process.argv.slice(2)) {
    for (const name of fs.readdirSync(folder).filter((n) => n.endsWith(".json")).sort()) {
        const want = JSON.parse(fs.readFileSync(path.join(folder, name), "utf8"));
        const file = name.replace(/\.json$/, ".fit");
        const decoder = new Decoder(Stream.fromByteArray(fs.readFileSync(path.join(folder, file))));
        check(file, "is FIT", decoder.isFIT());
        check(file, "integrity", decoder.checkIntegrity());
        const { messages, errors } = decoder.read({ convertDateTimesToDates: false });
        check(file, "no errors", errors.length === 0, JSON.stringify(errors));
        check(file, "file type", messages.fileIdMesgs?.[0]?.type === want.type, messages.fileIdMesgs?.[0]?.type);
        (want.type === "course" ? course : workout)(file, want, messages);
        checked++;
        console.log(`${file}: ${want.type}, ${want.type === "course" ? `${want.records} records, ${want.points.length} course points` : `${want.steps.length} steps`}`);
    }
}
console.log(`fit: ${checked} files decoded, ${failed} checks failed`);
process.exit(failed || !checked ? 1 : 0);
