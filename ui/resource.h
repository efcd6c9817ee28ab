// Ids shared by the resource script and the program.
#ifndef VELTO_RESOURCE_H
#define VELTO_RESOURCE_H

// Controls of the main window
#define IDC_DISTANCE_SCROLL 1
#define IDC_TARGET_SCROLL 2
#define IDC_DISTANCE_LABEL 3
#define IDC_TARGET_LABEL 4
#define IDC_TIME_READOUT_LABEL 5
#define IDC_DISTANCE_READOUT_LABEL 6
#define IDC_PACE_LABEL 7
#define IDC_TIME_READOUT 8
#define IDC_DISTANCE_READOUT 9
#define IDC_PACE_FIELD 10
#define IDC_DISTANCE_GROUP 11
#define IDC_SPLIT_GROUP 12
#define IDC_DISTANCE_MILE 13  // distance units 13..17
#define IDC_DISTANCE_200M 17
#define IDC_SPLIT_MILE 18     // split units 18..22
#define IDC_SPLIT_200M 22

// Menu
#define IDM_EXIT 111
#define IDM_DISTANCE_RESOLUTION 121
#define IDM_TIME_RESOLUTION 122
#define IDM_DISTANCE_PRECISION_1 123
#define IDM_DISTANCE_PRECISION_2 124
#define IDM_DISTANCE_PRECISION_3 125
#define IDM_DISTANCE_PRECISION_4 126
#define IDM_TIME_PRECISION_0 127
#define IDM_TIME_PRECISION_1 128
#define IDM_TIME_PRECISION_2 129
#define IDM_MARATHON 131
#define IDM_HALF_MARATHON 132
#define IDM_ABOUT 141
#define IDM_DOC 142
// The runner's tools, after Special's presets
#define IDM_5K 150
#define IDM_10K 151
#define IDM_SPLITS 152
#define IDM_PREDICTION 153
#define IDM_TIME_FROM_PACE 154
#define IDM_PACE_PLAN 155
#define IDM_TRAINING 156
#define IDM_AGE_GRADE 157
#define IDM_TOOLS 158  // on the page they were left on
#define IDM_TREADMILL 159

// Dialogs
#define IDC_TIME_MAX 300
#define IDC_DISTANCE_MAX 301
#define IDC_DISTANCE_OK 302
#define IDC_TIME_OK 303
#define IDC_ABOUT_OK 304

// The tools window and its pages
#define IDC_TOOLS_TABS 500
#define IDC_SOLVE_TIME 510  // what the plan works out: time, distance, pace
#define IDC_SOLVE_DISTANCE 511
#define IDC_SOLVE_PACE 512
#define IDC_PLAN_TIME 513
#define IDC_PLAN_DISTANCE 514
#define IDC_PLAN_PACE 515
#define IDC_PLAN_TIME_NOTE 516
#define IDC_PLAN_DISTANCE_NOTE 517
#define IDC_PLAN_PACE_NOTE 518
#define IDC_PLAN_DISTANCE_UNIT 519
#define IDC_PLAN_PACE_KIND 520
#define IDC_PLAN_SPEED 521
#define IDC_PLAN_USE 522
#define IDC_PLAN_USE_NOTE 523
#define IDC_SPLITS_EVEN 530  // even, negative, positive
#define IDC_SPLITS_NEGATIVE 531
#define IDC_SPLITS_POSITIVE 532
#define IDC_SPLITS_PERCENT 533
#define IDC_SPLITS_UNIT 534
#define IDC_SPLITS_NOTE 535
#define IDC_SPLITS_LIST 536
#define IDC_SPLITS_COPY 537
#define IDC_SPLITS_SAVE 538
#define IDC_SPLITS_PRINT 539
#define IDC_SPLITS_EVERY 580  // a race course and split points of one's own
#define IDC_SPLITS_HALFWAY 581
#define IDC_SPLITS_COURSE 582
#define IDC_SPLITS_NO_COURSE 583
#define IDC_SPLITS_HILL 584
#define IDC_SPLITS_COURSE_NOTE 585
#define IDC_SPLITS_PROFILE 586
#define IDC_SPLITS_SAVE_PLAN 587
#define IDC_SPLITS_OPEN_PLAN 588
#define IDC_SPLITS_FILE_NOTE 589  // what became of the last file chosen
#define IDC_SPLITS_STATIONS 590   // race day: stations, start, cut-offs, the watch
#define IDC_SPLITS_START 591
#define IDC_SPLITS_CUTOFFS 592
#define IDC_SPLITS_MARGIN 593
#define IDC_SPLITS_RANGE 594
#define IDC_SPLITS_EXPORT 595
#define IDC_RESULT_DISTANCE 540  // the race result, on three pages
#define IDC_RESULT_UNIT 541
#define IDC_RESULT_TIME 542
#define IDC_RESULT_DISTANCE_NOTE 543
#define IDC_RESULT_TIME_NOTE 544
#define IDC_RESULT_CAUTION 545  // a result faster than any runner's
#define IDC_EQ_EXPONENT 550
#define IDC_EQ_EXPONENT_NOTE 551
#define IDC_EQ_VDOT 552
#define IDC_EQ_LIST 553
#define IDC_EQ_CAUTIONS 554
#define IDC_TRAINING_VDOT 560
#define IDC_TRAINING_PACES 561
#define IDC_TRAINING_REPEATS 562
#define IDC_AGE 570
#define IDC_SEX_MAN 571
#define IDC_SEX_WOMAN 572
#define IDC_AGE_NOTE 573
#define IDC_AGE_PERCENT 574
#define IDC_AGE_GRADED 575
#define IDC_AGE_FACTOR 576
#define IDC_AGE_STANDARD 577
#define IDC_AGE_TABLES 578
#define IDC_TM_SOLVE_OUTDOOR 600  // the treadmill: what is worked out
#define IDC_TM_SOLVE_BELT 601
#define IDC_TM_SPEED 602
#define IDC_TM_SPEED_UNIT 603
#define IDC_TM_SPEED_NOTE 604
#define IDC_TM_INCLINE 605
#define IDC_TM_OUTDOOR 606
#define IDC_TM_OUTDOOR_UNIT 607
#define IDC_TM_OUTDOOR_NOTE 608
#define IDC_TM_CAUTION 609
#define IDC_TM_LIST 610

#endif
