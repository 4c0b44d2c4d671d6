#!/usr/bin/env bash
# One Slurm array task: the keyframes k with k mod TASKS = SLURM_ARRAY_TASK_ID - 1.
# Usage (through sbatch --array=1-TASKS): slurm-keyframes.sh TASKS FOLDER [morvale-render options]
set -euo pipefail
tasks=$1 folder=$2
shift 2
exec "${MORVALE_RENDER:-morvale-render}" "$@" --keyframes "$folder" \
  --task "${SLURM_ARRAY_TASK_ID:?not started as an array task}/$tasks"
