#!/bin/sh
# A campaign of random tests (a series) or of instance files (a survey) cut into the tasks of a
# Slurm job array: each task runs one shard of the problems into its own result file, a line per
# finished problem; merge the files when every task has ended.
#
#   sbatch examples/slurm-series.sh                        # 8 tasks, 10,000 compared 10-node tests
#   CAMPAIGN="survey $HOME/instances --max-nodes 200" sbatch --array=0-15 examples/slurm-series.sh
#   quira-cli merge series-part-*.jsonl --csv              # afterwards: what the single run prints
#
# The shard comes from the array variables (SLURM_ARRAY_TASK_ID, _MIN, _MAX, _COUNT), so the array
# may have any size. --resume makes a task that was stopped (its time limit: Slurm sends SIGTERM,
# and the shard keeps every finished problem) or requeued continue from its file. Each task runs
# its problems one after another (--jobs 1), one task per processor the array is given.
#
# Settings, from the environment (sbatch passes it on):
#   QUIRA_CLI  the program (default: quira-cli from PATH)
#   CAMPAIGN   the subcommand and its options (default: series --nodes 10 --tests 10000 --compare
#              --seed 1); a survey's instance paths must be valid where the tasks run
#   OUT        the folder of the result files (default: the folder sbatch was called from)
#
#SBATCH --job-name=quira-series
#SBATCH --array=0-7
#SBATCH --ntasks=1
#SBATCH --cpus-per-task=1
#SBATCH --time=01:00:00
#SBATCH --output=quira-series-%a.log

QUIRA_CLI=${QUIRA_CLI:-quira-cli}
CAMPAIGN=${CAMPAIGN:-series --nodes 10 --tests 10000 --compare --seed 1}
OUT=${OUT:-${SLURM_SUBMIT_DIR:-.}}
mkdir -p "$OUT"

# shellcheck disable=SC2086  # CAMPAIGN is a subcommand with its options
exec "$QUIRA_CLI" $CAMPAIGN --jobs 1 --resume "$OUT/series-part-${SLURM_ARRAY_TASK_ID}.jsonl"
