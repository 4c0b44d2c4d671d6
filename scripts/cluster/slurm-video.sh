#!/usr/bin/env bash
# The Slurm job that assembles the video once every keyframe task has ended well.
# Usage (through sbatch): slurm-video.sh FOLDER VIDEO.mp4 [morvale-video options]
set -euo pipefail
folder=$1 video=$2
shift 2
exec "${MORVALE_VIDEO:-morvale-video}" "$folder" -o "$video" --quiet "$@"
